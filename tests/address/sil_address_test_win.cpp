// The address value from the platform's own address types (socket
// addresses, unicast rows, prefixes): what each constructor takes, with the
// expected bytes written out by hand.
#include <gtest/gtest.h>

#include <winsock2.h>
#include <ws2ipdef.h>
#include <iphlpapi.h>
#include <netioapi.h>

#include <cstring>

#include "address/sil_address.h"

namespace {

constexpr uint16_t Net16(uint16_t port) { return uint16_t(port >> 8 | port << 8); }

SOCKADDR_INET IPv4(uint8_t a, uint8_t b, uint8_t c, uint8_t d, uint16_t port) {
    SOCKADDR_INET address = {};
    address.Ipv4.sin_family = AF_INET;
    address.Ipv4.sin_port = Net16(port);
    const uint8_t bytes[4] = {a, b, c, d};
    std::memcpy(&address.Ipv4.sin_addr, bytes, 4);
    return address;
}

SOCKADDR_INET LinkLocalIPv6(uint8_t last, uint16_t port, uint32_t scope) {
    SOCKADDR_INET address = {};
    address.Ipv6.sin6_family = AF_INET6;
    address.Ipv6.sin6_port = Net16(port);
    address.Ipv6.sin6_addr.s6_addr[0] = 0xfe;
    address.Ipv6.sin6_addr.s6_addr[1] = 0x80;
    address.Ipv6.sin6_addr.s6_addr[15] = last;
    address.Ipv6.sin6_scope_id = scope;
    return address;
}

// The record as its bytes say: family, port, and the family's address and
// prefix; everything else must be zero.
void ExpectIPv4(const CSilAddress& value, uint32_t addressBytes, uint16_t port, uint8_t prefix) {
    SilAddressRecord want;
    std::memset(&want, 0, sizeof want);
    want.family = AF_INET;
    want.port = Net16(port);
    want.v4.address = addressBytes;
    want.v4.prefixLength = prefix;
    EXPECT_EQ(std::memcmp(value.Record(), &want, sizeof want), 0);
}

void ExpectLinkLocalIPv6(const CSilAddress& value, uint8_t last, uint16_t port, uint32_t scope, uint8_t prefix) {
    SilAddressRecord want;
    std::memset(&want, 0, sizeof want);
    want.family = AF_INET6;
    want.port = Net16(port);
    want.v6.address[0] = 0xfe;
    want.v6.address[1] = 0x80;
    want.v6.address[15] = last;
    want.v6.scopeId = scope;
    want.v6.prefixLength = prefix;
    EXPECT_EQ(std::memcmp(value.Record(), &want, sizeof want), 0);
}

bool IsEmpty(const CSilAddress& value) {
    SilAddressRecord empty;
    std::memset(&empty, 0, sizeof empty);
    return std::memcmp(value.Record(), &empty, sizeof empty) == 0;
}

TEST(AddressFromPlatformTypes, SocketAddressesRowsAndPrefixes) {
    const uint32_t tenOneTwoThree = 0x0302010A;  // 10.1.2.3 as it lies in memory
    const SOCKADDR_INET v4 = IPv4(10, 1, 2, 3, 443), v6 = LinkLocalIPv6(1, 5008, 7);
    ExpectIPv4(CSilAddress(&v4), tenOneTwoThree, 443, 32);
    ExpectLinkLocalIPv6(CSilAddress(&v6), 1, 5008, 7, 128);
    ExpectIPv4(CSilAddress(&v4.Ipv4), tenOneTwoThree, 443, 32);
    ExpectLinkLocalIPv6(CSilAddress(&v6.Ipv6), 1, 5008, 7, 128);

    // A unicast row and a prefix carry their own prefix length.
    MIB_UNICASTIPADDRESS_ROW row = {};
    row.Address = v4;
    row.OnLinkPrefixLength = 8;
    ExpectIPv4(CSilAddress(&row), tenOneTwoThree, 443, 8);
    row.Address = v6;
    row.OnLinkPrefixLength = 64;
    ExpectLinkLocalIPv6(CSilAddress(&row), 1, 5008, 7, 64);
    IP_ADDRESS_PREFIX prefix = {};
    prefix.Prefix = v6;
    prefix.PrefixLength = 10;
    ExpectLinkLocalIPv6(CSilAddress(&prefix), 1, 5008, 7, 10);

    EXPECT_TRUE(IsEmpty(CSilAddress(static_cast<const SOCKADDR_INET*>(nullptr))));
    EXPECT_TRUE(IsEmpty(CSilAddress(static_cast<const MIB_UNICASTIPADDRESS_ROW*>(nullptr))));
    EXPECT_TRUE(IsEmpty(CSilAddress(static_cast<const IP_ADDRESS_PREFIX*>(nullptr))));
}

}  // namespace
