// The virtual, point-of-presence and connected-server addresses, as numbers,
// socket addresses and text, against the records the simulated driver
// answers with.
#include <gtest/gtest.h>

#include <winsock2.h>
#include <ws2ipdef.h>
#include <oleauto.h>

#include <cstring>

#include "qlclapi.h"
#include "sim_records.h"
#include "support/bstr_text.h"
#include "support/simulated_client.h"

namespace qltest {
namespace {

using qlsim::AddressRecord;
using Lines = std::vector<std::string>;

const std::array<uint8_t, 16> kLinkLocal1 = {0xFE, 0x80, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1};

// The IPv4 number as the library hands it out: the record's bytes as stored.
uint32_t Stored(uint8_t a, uint8_t b, uint8_t c, uint8_t d) {
    const uint8_t bytes[4] = {a, b, c, d};
    uint32_t value;
    memcpy(&value, bytes, 4);
    return value;
}

class Addresses : public SimulatedClientTest {
protected:
    void setVirtual(const AddressRecord& record) {
        std::vector<uint8_t> bytes = qlsim::ShortRecordBytes(record);
        ASSERT_TRUE(sim().setRecord(QLSIM_RECORD_VIRTUAL_ADDRESS, bytes));
    }
    void setServers(const AddressRecord& server, const AddressRecord& pointOfPresence) {
        std::vector<uint8_t> bytes = qlsim::ServerRecordsBytes(server, pointOfPresence);
        ASSERT_TRUE(sim().setRecord(QLSIM_RECORD_SERVER_ADDRESSES, bytes));
    }
    // Text of a VB twin, or "<failed>".
    std::string textOf(const NamedCall<uint32_t(QlBstr*)>& twin) {
        EXPECT_TRUE(twin.call) << twin.name;
        BSTR text = SysAllocString(L"unchanged");
        std::string result = twin.call && twin.call(&text) ? AnsiOf(text) : "<failed>";
        SysFreeString(text);
        return result;
    }
};

// ---- Virtual address --------------------------------------------------

struct VirtualCase {
    const char* name;
    AddressRecord record;
    bool refused;
    uint32_t numberResult;
    uint32_t number;
    const char* text;
};

const VirtualCase kVirtualCases[] = {
    {"IPv4", qlsim::IPv4Record(10, 1, 2, 3), false, 1, Stored(10, 1, 2, 3), "10.1.2.3"},
    {"IPv4Zero", qlsim::IPv4Record(0, 0, 0, 0), false, 0, 0, "0.0.0.0"},
    {"IPv6", qlsim::IPv6Record(kLinkLocal1, 7, 443, 99), false, 0, 0, "fe80::1%7"},
    {"NoAddress", qlsim::FamilyOnlyRecord(0), false, 0, 0, ""},
    {"Refused", qlsim::IPv4Record(10, 1, 2, 3), true, 0, 0, "<failed>"},
};

class VirtualAddress : public Addresses, public testing::WithParamInterface<VirtualCase> {};

TEST_P(VirtualAddress, AsNumberSocketAddressAndText) {
    const VirtualCase& c = GetParam();
    setVirtual(c.record);
    if (c.refused) refuse(0x22241F);
    auto library = loadLibrary();
    for (const auto& get : QL_PLAIN_AND_TWIN(*library, QuorlanGetVirtualAddress)) {
        uint32_t number = 0xEEEEEEEE;
        EXPECT_EQ(get.call(&number), c.numberResult) << get.name;
        EXPECT_EQ(number, c.numberResult ? c.number : 0xEEEEEEEE) << get.name;
    }
    EXPECT_EQ(textOf(QL_RESOLVE(*library, QuorlanGetVirtualAddressExVB)), c.text);
    std::vector<SeenEvent> seen = takeJournal();
    ASSERT_EQ(RequestLines(seen), Lines(3, "0x22241F sync"));
    for (const SeenEvent& e : seen) EXPECT_EQ(e.outLength, 24u);
}

INSTANTIATE_TEST_SUITE_P(Driver, VirtualAddress, testing::ValuesIn(kVirtualCases),
                         [](const testing::TestParamInfo<VirtualCase>& info) { return info.param.name; });

TEST_F(Addresses, VirtualAddressNullPointerIsLookedAtLast) {
    setVirtual(qlsim::IPv4Record(10, 1, 2, 3));
    auto library = loadLibrary();
    QL_EXPORT(*library, QuorlanGetVirtualAddress);
    EXPECT_EQ(QuorlanGetVirtualAddress(nullptr), 0u);
    EXPECT_EQ(takeRequests(), Lines{"0x22241F sync"});
}

TEST_F(Addresses, VirtualAddressExCountsAndWritesASocketAddress) {
    setVirtual(qlsim::IPv6Record(kLinkLocal1, 7, 443, 99));
    auto library = loadLibrary();
    QL_EXPORT(*library, QuorlanGetVirtualAddressEx);

    SOCKADDR_IN6 written;
    memset(&written, 0xCC, sizeof written);
    uint32_t count = 0;
    EXPECT_EQ(QuorlanGetVirtualAddressEx(&written, &count), 0u) << "no room offered";
    EXPECT_EQ(count, 1u) << "the caller learns it needs one slot";
    EXPECT_EQ(uint16_t(written.sin6_family), 0xCCCC) << "nothing written without room";

    count = 1;
    ASSERT_EQ(QuorlanGetVirtualAddressEx(&written, &count), 1u);
    EXPECT_EQ(count, 1u);
    EXPECT_EQ(written.sin6_family, AF_INET6);
    EXPECT_EQ(written.sin6_port, 0) << "the short record's port is never passed on";
    EXPECT_EQ(written.sin6_flowinfo, 0u) << "the short record has no flow info";
    EXPECT_EQ(written.sin6_scope_id, 7u);
    EXPECT_EQ(memcmp(&written.sin6_addr, kLinkLocal1.data(), 16), 0);

    refuse(0x22241F);
    count = 5;
    EXPECT_EQ(QuorlanGetVirtualAddressEx(&written, &count), 0u);
    EXPECT_EQ(count, 0u) << "cleared before the driver was asked";
    EXPECT_EQ(QuorlanGetVirtualAddressEx(&written, nullptr), 0u);
}

// ---- Point of presence ------------------------------------------------

struct PresenceCase {
    const char* name;
    AddressRecord pointOfPresence;
    uint32_t number;  // with result 1
    const char* text;
};

const PresenceCase kPresenceCases[] = {
    {"IPv4WithPort", qlsim::IPv4Record(10, 1, 2, 3, 5008), Stored(10, 1, 2, 3), "10.1.2.3:5008"},
    {"IPv6ReadsAsZero", qlsim::IPv6Record(kLinkLocal1, 7, 5008), 0, "[fe80::1%7]:5008"},
    {"Absent", qlsim::FamilyOnlyRecord(0), 0, ""},
};

class PointOfPresence : public Addresses, public testing::WithParamInterface<PresenceCase> {};

TEST_P(PointOfPresence, IsTheSecondRecord) {
    const PresenceCase& c = GetParam();
    setServers(qlsim::IPv4Record(203, 0, 113, 9, 443), c.pointOfPresence);
    auto library = loadLibrary();
    for (const auto& get : QL_PLAIN_AND_TWIN(*library, QuorlanGetPointOfPresence)) {
        uint32_t number = 0xEEEEEEEE;
        EXPECT_EQ(get.call(&number), 1u) << get.name;
        EXPECT_EQ(number, c.number) << get.name;
    }
    EXPECT_EQ(textOf(QL_RESOLVE(*library, QuorlanGetPointOfPresenceExVB)), c.text);
    uint8_t written[28];
    memset(written, 0xCC, sizeof written);
    QL_EXPORT(*library, QuorlanGetPointOfPresenceEx);
    ASSERT_EQ(QuorlanGetPointOfPresenceEx(written), 1u);
    EXPECT_EQ(memcmp(written, c.pointOfPresence.data(), 2), 0) << "family";
    std::vector<SeenEvent> seen = takeJournal();
    ASSERT_EQ(RequestLines(seen), Lines(4, "0x22250F sync"));
    for (const SeenEvent& e : seen) EXPECT_EQ(e.outLength, 56u);
}

INSTANTIATE_TEST_SUITE_P(Driver, PointOfPresence, testing::ValuesIn(kPresenceCases),
                         [](const testing::TestParamInfo<PresenceCase>& info) { return info.param.name; });

TEST_F(Addresses, MismatchedDriverFailsOnlyThePointOfPresence) {
    changeSim([](QlSimState& s) { s.version = 0x0C0B0000; });
    setVirtual(qlsim::IPv4Record(10, 9, 9, 9));
    setServers(qlsim::IPv4Record(203, 0, 113, 9, 443), qlsim::IPv4Record(10, 1, 2, 3));
    auto library = loadLibrary();
    uint32_t number = 0;
    uint16_t port = 0;
    uint8_t written[28] = {};
    for (const auto& get : QL_PLAIN_AND_TWIN(*library, QuorlanGetPointOfPresence))
        EXPECT_EQ(get.call(&number), 0u) << get.name;
    EXPECT_EQ(QL_FIND(*library, QuorlanGetPointOfPresenceEx)(written), 0u);
    EXPECT_EQ(textOf(QL_RESOLVE(*library, QuorlanGetPointOfPresenceExVB)), "<failed>");
    EXPECT_TRUE(takeJournal().empty()) << "nothing may be asked of a driver of another version";
    EXPECT_EQ(QL_FIND(*library, QuorlanGetVirtualAddress)(&number), 1u);
    EXPECT_EQ(QL_FIND(*library, QuorlanGetConnectedServerAddress)(&number, &port),
              1u);
}

// ---- Connected server -------------------------------------------------

TEST_F(Addresses, ConnectedServerOfOtherFamilies) {
    auto library = loadLibrary();
    QL_EXPORT(*library, QuorlanGetConnectedServerAddress);
    QL_EXPORT(*library, QuorlanGetConnectedServerAddressEx);
    uint32_t number = 0xEEEEEEEE;
    uint16_t port = 0xEEEE;

    setServers(qlsim::IPv6Record(kLinkLocal1, 3, 5008), qlsim::FamilyOnlyRecord(0));
    EXPECT_EQ(QuorlanGetConnectedServerAddress(&number, &port), 0u);
    EXPECT_EQ(textOf(QL_RESOLVE(*library, QuorlanGetConnectedServerAddressExVB)), "[fe80::1%3]:5008");
    SOCKADDR_IN6 six;
    ASSERT_EQ(QuorlanGetConnectedServerAddressEx(&six), 1u);
    EXPECT_EQ(six.sin6_family, AF_INET6);
    EXPECT_EQ(six.sin6_scope_id, 3u);

    setServers(qlsim::FamilyOnlyRecord(0), qlsim::FamilyOnlyRecord(0));
    uint8_t written[28];
    memset(written, 0xCC, sizeof written);
    ASSERT_EQ(QuorlanGetConnectedServerAddressEx(written), 1u) << "an absent server still succeeds";
    EXPECT_EQ(written[0], 0);
    EXPECT_EQ(written[1], 0);
    EXPECT_EQ(written[2], 0xCC) << "only the family word is written";
    EXPECT_EQ(textOf(QL_RESOLVE(*library, QuorlanGetConnectedServerAddressExVB)), "");
    EXPECT_EQ(QuorlanGetConnectedServerAddress(&number, &port), 0u);
    EXPECT_EQ(number, 0xEEEEEEEEu);
}

}  // namespace
}  // namespace qltest
