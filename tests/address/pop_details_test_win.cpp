// The interface that carries the point of presence, through the exports: the
// requests they send, the details record in a caller buffer, the VB twins'
// separate values. The search through the table, the network type's flag
// bits and the table's growth are tested natively (interface_table_test.cpp);
// the version gate, shared with the point of presence itself, in
// address_query_test_win.cpp.
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

using qlsim::SimInterface;
using Lines = std::vector<std::string>;

const std::array<uint8_t, 16> kLinkLocal1 = {0xFE, 0x80, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1};
const qlsim::AddressRecord kPresence = qlsim::IPv4Record(10, 1, 2, 3, 5008);


SimInterface Interface(uint32_t value4, std::vector<qlsim::AddressRecord> addresses) {
    SimInterface i;
    i.value4 = value4;
    i.value16 = 0x1111222233334444ull + value4;
    i.value5112 = 0x5555666677778888ull + value4;
    i.name = u"eth" + std::u16string(1, char16_t(u'0' + value4 % 10));
    i.physical = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, uint8_t(value4)};
    i.secondText = u"wired";
    i.trailing = {0xDE, 0xAD};
    i.addresses = std::move(addresses);
    return i;
}

class Details : public SimulatedClientTest {
protected:
    void SetUp() override {
        SimulatedClientTest::SetUp();
        setPresence(kPresence);
    }
    void setPresence(const qlsim::AddressRecord& presence) {
        std::vector<uint8_t> bytes = qlsim::ServerRecordsBytes(qlsim::IPv4Record(203, 0, 113, 9, 443), presence);
        ASSERT_TRUE(sim().setRecord(QLSIM_RECORD_SERVER_ADDRESSES, bytes));
    }
    void setTable(const std::vector<uint8_t>& table) {
        ASSERT_TRUE(sim().setRecord(QLSIM_RECORD_INTERFACE_TABLE, table));
    }
    void setInterfaces(const std::vector<SimInterface>& interfaces) { setTable(qlsim::InterfaceTableBytes(interfaces)); }
};

QlPointOfPresenceDetails FixedPart(const std::vector<uint8_t>& buffer) {
    QlPointOfPresenceDetails d{};
    if (buffer.size() >= sizeof d) memcpy(&d, buffer.data(), sizeof d);
    return d;
}

TEST_F(Details, RecordPointsIntoTheCallersBuffer) {
    setInterfaces({Interface(1, {qlsim::IPv4Record(10, 0, 0, 1)}), Interface(7, {kPresence})});
    auto library = loadLibrary();
    QL_EXPORT(*library, QuorlanGetPointOfPresenceDetails);
    const uint32_t fixed = sizeof(QlPointOfPresenceDetails);
    const uint32_t name = 2 * (4 + 1), second = 2 * (5 + 1);
    const uint32_t total = QuorlanGetPointOfPresenceDetails(nullptr, 0);
    ASSERT_EQ(total, fixed + 6 + name + second + 2);
    std::vector<uint8_t> buffer(total, 0xCC);
    EXPECT_EQ(QuorlanGetPointOfPresenceDetails(buffer.data(), total), total);
    // The size query and the fetch each ask for the addresses, then the table.
    EXPECT_EQ(takeRequests(), (Lines{"0x22250F sync", "0x2224BF sync", "0x22250F sync", "0x2224BF sync"}));
    QlPointOfPresenceDetails d = FixedPart(buffer);
    const uint8_t* base = buffer.data();
    EXPECT_EQ(d.size, fixed);
    const uint8_t presenceBytes[4] = {10, 1, 2, 3};
    EXPECT_EQ(memcmp(&d.address, presenceBytes, 4), 0);
    EXPECT_EQ(d.interfaceValue1, 7u);
    EXPECT_EQ(d.interfaceValue2Low, 0x33334444u + 7);
    EXPECT_EQ(d.interfaceValue3Low, 0x77778888u + 7);
    // Physical address, name, second text, trailing bytes: in that order.
    EXPECT_EQ(d.physicalAddress, base + fixed);
    EXPECT_EQ(d.physicalAddressLength, 6u);
    EXPECT_EQ(reinterpret_cast<const uint8_t*>(d.name), base + fixed + 6);
    EXPECT_EQ(d.nameBytes, name);
    EXPECT_STREQ(d.name, L"eth7");
    EXPECT_EQ(reinterpret_cast<const uint8_t*>(d.secondText), base + fixed + 6 + name);
    EXPECT_EQ(d.secondTextBytes, second);
    EXPECT_STREQ(d.secondText, L"wired");
    EXPECT_EQ(d.trailingBytes, base + fixed + 6 + name + second);
    EXPECT_EQ(d.trailingLength, 2u);
    EXPECT_EQ(memcmp(d.physicalAddress, "\x00\x1A\x2B\x3C\x4D\x07", 6), 0);
}

TEST_F(Details, ShortBufferFillsWhatFitsAndReportsTheFullSize) {
    setInterfaces({Interface(7, {kPresence})});
    auto library = loadLibrary();
    QL_EXPORT(*library, QuorlanGetPointOfPresenceDetails);
    const uint32_t total = QuorlanGetPointOfPresenceDetails(nullptr, 0);
    const uint32_t fixed = sizeof(QlPointOfPresenceDetails);
    std::vector<uint8_t> buffer(total + 16, 0xCC);

    EXPECT_EQ(QuorlanGetPointOfPresenceDetails(buffer.data(), fixed), total);
    QlPointOfPresenceDetails d = FixedPart(buffer);
    EXPECT_EQ(d.interfaceValue1, 7u);
    EXPECT_EQ(d.physicalAddress, nullptr);
    EXPECT_EQ(d.physicalAddressLength, 0u);
    EXPECT_EQ(d.name, nullptr);
    EXPECT_EQ(d.nameBytes, 0u);
    EXPECT_EQ(buffer[fixed], 0xCC) << "nothing written behind the fixed part";

    // Room for the physical address but not the whole name: the name and
    // everything after it are left out.
    std::fill(buffer.begin(), buffer.end(), 0xCC);
    EXPECT_EQ(QuorlanGetPointOfPresenceDetails(buffer.data(), fixed + 6 + 4), total);
    d = FixedPart(buffer);
    EXPECT_EQ(d.physicalAddressLength, 6u);
    EXPECT_EQ(d.name, nullptr);
    EXPECT_EQ(d.secondText, nullptr);
    EXPECT_EQ(d.trailingBytes, nullptr);
    EXPECT_EQ(buffer[fixed + 6], 0xCC);
}

TEST_F(Details, ExFormCarriesAnIPv6PointOfPresence) {
    const auto presence = qlsim::IPv6Record(kLinkLocal1, 7, 5008);
    setPresence(presence);
    setInterfaces({Interface(2, {qlsim::IPv6Record(kLinkLocal1, 7)})});
    auto library = loadLibrary();
    QL_EXPORT(*library, QuorlanGetPointOfPresenceDetailsEx);
    const uint32_t total = QuorlanGetPointOfPresenceDetailsEx(nullptr, 0);
    ASSERT_GT(total, uint32_t(sizeof(QlPointOfPresenceDetailsEx)));
    std::vector<uint8_t> buffer(total);
    ASSERT_EQ(QuorlanGetPointOfPresenceDetailsEx(buffer.data(), total), total);
    QlPointOfPresenceDetailsEx ex;
    memcpy(&ex, buffer.data(), sizeof ex);
    EXPECT_EQ(ex.details.size, sizeof(QlPointOfPresenceDetails));
    EXPECT_EQ(ex.details.address, 0u) << "not IPv4";
    EXPECT_EQ(ex.details.interfaceValue1, 2u);
    EXPECT_EQ(ex.reserved1, 0u);
    EXPECT_EQ(ex.interfaceValue2, 0x1111222233334444ull + 2);
    EXPECT_EQ(ex.interfaceValue3, 0x5555666677778888ull + 2);
    SOCKADDR_IN6 six;
    memcpy(&six, ex.socketAddress, sizeof six);
    EXPECT_EQ(six.sin6_family, AF_INET6);
    EXPECT_EQ(six.sin6_scope_id, 7u);
    EXPECT_EQ(memcmp(&six.sin6_addr, kLinkLocal1.data(), 16), 0);
    EXPECT_EQ(ex.details.physicalAddress, buffer.data() + sizeof(QlPointOfPresenceDetailsEx));
}

// ---- Visual Basic twins -----------------------------------------------

TEST_F(Details, VisualBasicTwinsSplitTheRecord) {
    SimInterface carrier = Interface(6, {kPresence});
    carrier.physical = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};
    carrier.trailing = {};
    setInterfaces({carrier});
    auto library = loadLibrary();
    QL_EXPORT(*library, QuorlanGetPointOfPresenceDetailsVB);
    QL_EXPORT(*library, QuorlanGetPointOfPresenceDetailsExVB);
    QL_EXPORT(*library, QuorlanGetPointOfPresenceDetails);
    BSTR address = SysAllocString(L""), mac = SysAllocString(L""), name = SysAllocString(L""),
         second = SysAllocString(L""), trailing = SysAllocString(L"x");
    uint32_t number = 0, value1 = 0, value2 = 0, value3 = 0;

    EXPECT_EQ(QuorlanGetPointOfPresenceDetailsVB(&number, &value1, &value2, &value3, &mac, &name, &second, &trailing),
              QuorlanGetPointOfPresenceDetails(nullptr, 0));
    const uint8_t presenceBytes[4] = {10, 1, 2, 3};
    EXPECT_EQ(memcmp(&number, presenceBytes, 4), 0);
    EXPECT_EQ(value1, 6u);
    EXPECT_EQ(value2, 0x33334444u + 6);
    EXPECT_EQ(value3, 0x77778888u + 6);
    EXPECT_EQ(AnsiOf(mac), "00-1A-2B-3C-4D-5E");
    EXPECT_EQ(AnsiOf(name), "eth6");
    EXPECT_EQ(AnsiOf(second), "wired");
    EXPECT_EQ(AnsiOf(trailing), "") << "no bytes give the empty text";

    QlUInt64 wide2 = 0, wide3 = 0;
    EXPECT_GT(QuorlanGetPointOfPresenceDetailsExVB(&address, &value1, &wide2, &wide3, &mac, &name, &second, &trailing),
              0u);
    EXPECT_EQ(AnsiOf(address), "10.1.2.3:5008");
    EXPECT_EQ(wide2, 0x1111222233334444ull + 6);
    EXPECT_EQ(wide3, 0x5555666677778888ull + 6);

    // Every output may be skipped.
    EXPECT_GT(QuorlanGetPointOfPresenceDetailsVB(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr),
              0u);
    EXPECT_GT(QuorlanGetPointOfPresenceDetailsExVB(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                                   nullptr),
              0u);
    for (BSTR b : {address, mac, name, second, trailing}) SysFreeString(b);
}

}  // namespace
}  // namespace qltest
