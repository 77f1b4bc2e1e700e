// The address value from the platform's own address types (socket
// addresses, unicast rows, prefixes): what each constructor takes, against
// records built with the platform's inet_pton.
#include <gtest/gtest.h>

#include <winsock2.h>
#include <ws2ipdef.h>
#include <iphlpapi.h>
#include <netioapi.h>

#include "address_test_support.h"

namespace {

SOCKADDR_INET Socket(const SilAddressRecord& record) {
    SOCKADDR_INET address = {};
    if (record.family == kSilFamilyIPv4) {
        address.Ipv4.sin_family = AF_INET;
        address.Ipv4.sin_port = record.port;
        std::memcpy(&address.Ipv4.sin_addr, &record.v4.address, 4);
    } else {
        address.Ipv6.sin6_family = AF_INET6;
        address.Ipv6.sin6_port = record.port;
        std::memcpy(&address.Ipv6.sin6_addr, record.v6.address, 16);
        address.Ipv6.sin6_scope_id = record.v6.scopeId;
    }
    return address;
}

TEST(AddressFromPlatformTypes, SocketAddressesRowsAndPrefixes) {
    const SOCKADDR_INET v4 = Socket(V4("10.1.2.3", 443)), v6 = Socket(V6("fe80::1", 5008, 128, 7));
    ExpectRecord(CSilAddress(&v4), V4("10.1.2.3", 443), "IPv4 socket address");
    ExpectRecord(CSilAddress(&v6), V6("fe80::1", 5008, 128, 7), "IPv6 socket address");
    ExpectRecord(CSilAddress(&v4.Ipv4), V4("10.1.2.3", 443), "sockaddr_in");
    ExpectRecord(CSilAddress(&v6.Ipv6), V6("fe80::1", 5008, 128, 7), "sockaddr_in6");

    // A unicast row and a prefix carry their own prefix length.
    MIB_UNICASTIPADDRESS_ROW row = {};
    row.Address = v4;
    row.OnLinkPrefixLength = 8;
    ExpectRecord(CSilAddress(&row), V4("10.1.2.3", 443, 8), "IPv4 row");
    row.Address = v6;
    row.OnLinkPrefixLength = 64;
    ExpectRecord(CSilAddress(&row), V6("fe80::1", 5008, 64, 7), "IPv6 row");
    IP_ADDRESS_PREFIX prefix = {};
    prefix.Prefix = v6;
    prefix.PrefixLength = 10;
    ExpectRecord(CSilAddress(&prefix), V6("fe80::1", 5008, 10, 7), "IPv6 prefix");

    ExpectRecord(CSilAddress(static_cast<const SOCKADDR_INET*>(nullptr)), EmptyRecord(), "null socket address");
    ExpectRecord(CSilAddress(static_cast<const MIB_UNICASTIPADDRESS_ROW*>(nullptr)), EmptyRecord(), "null row");
    ExpectRecord(CSilAddress(static_cast<const IP_ADDRESS_PREFIX*>(nullptr)), EmptyRecord(), "null prefix");
}

}  // namespace
