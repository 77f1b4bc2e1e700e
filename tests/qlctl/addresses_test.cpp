// qlctl addresses: the three addresses the simulated client reports, as text
// and JSON, and the same texts the library's ExVB twins give.
#include <windows.h>
#include <oleauto.h>

#include "qlclapi.h"
#include "support/address_records.h"
#include "support/bstr_text.h"
#include "support/qlctl_process.h"
#include "support/simulated_client.h"
#include "support/sorted_json.h"

namespace qltest {
namespace {

using qlsim::IPv4Record;
using qlsim::IPv6Record;

const qlsim::AddressRecord kNone = qlsim::FamilyOnlyRecord(0);
// The virtual address record carries no port; one set here must not show.
const AddressRecords kIPv4 = {IPv4Record(10, 8, 0, 5, 1234), IPv4Record(203, 0, 113, 9, 443),
                              IPv4Record(10, 1, 2, 3, 5008)};
const AddressRecords kIPv6 = {IPv6Record(kLinkLocal5, 4, 1234), IPv6Record(kDocumentation1, 0, 443, 0x12345),
                              IPv6Record(kLinkLocal1, 7, 5008)};

struct AddressesCase {
    const char* name;
    AddressRecords records;
    uint32_t driverVersion;         // 0: the simulated driver's own
    std::vector<uint32_t> refused;  // request codes the driver refuses
    const wchar_t* arguments;
    DWORD exitCode;
    const char* out;
};

const AddressesCase kCases[] = {
    {"IPv4", kIPv4, 0, {}, L"addresses", 0,
     "virtual address:   10.8.0.5\npoint of presence: 10.1.2.3:5008\nconnected server:  203.0.113.9:443\n"},
    {"IPv6WithZoneAndPortJson", kIPv6, 0, {}, L"addresses --json", 0,
     "{\"connected_server\":\"[2001:db8::1]:443\",\"point_of_presence\":\"[fe80::1%7]:5008\","
     "\"virtual_address\":\"fe80::5%4\"}\n"},
    {"NoneYetIsNull", {kNone, qlsim::FamilyOnlyRecord(17), kNone}, 0, {}, L"addresses --json", 0,
     "{\"connected_server\":null,\"point_of_presence\":null,\"virtual_address\":null}\n"},
    {"PresenceNeedsThisGeneration", kIPv4, 0x0C0B0001, {}, L"addresses", 0,
     "virtual address:   10.8.0.5\npoint of presence: none\nconnected server:  203.0.113.9:443\n"},
    {"ServerRequestRefused", kIPv4, 0, {0x22250F}, L"addresses", 0,
     "virtual address:   10.8.0.5\npoint of presence: none\nconnected server:  none\n"},
    {"EveryRequestRefused", kIPv4, 0, {0x22250F, 0x22241F}, L"addresses", 1, ""},
};

class Addresses : public SimulatedClientTest, public testing::WithParamInterface<AddressesCase> {};

TEST_P(Addresses, PrintsWhatTheClientReports) {
    const AddressesCase& c = GetParam();
    ASSERT_TRUE(SetAddressRecords(sim(), c.records));
    if (c.driverVersion) changeSim([&c](QlSimState& s) { s.version = c.driverVersion; });
    for (uint32_t code : c.refused) refuse(code);
    Outcome outcome = RunQlctl(c.arguments);
    EXPECT_EQ(outcome.exitCode, c.exitCode) << outcome.err;
    EXPECT_EQ(outcome.out, c.out);
    EXPECT_EQ(outcome.err.empty(), c.exitCode == 0) << outcome.err;
    if (outcome.out.find('{') == 0) {
        EXPECT_TRUE(IsSortedJsonObject(outcome.out.substr(0, outcome.out.size() - 1)));
    }
}

INSTANTIATE_TEST_SUITE_P(Qlctl, Addresses, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<AddressesCase>& info) { return info.param.name; });

// The ANSI bytes a twin packed into a BSTR, as a JSON value; null when the
// twin failed or gave no text.
std::string TwinJson(PFN_QuorlanGetVirtualAddressExVB twin) {
    BSTR text = SysAllocString(L"");
    std::string ansi;
    if (twin(&text)) ansi = AnsiOf(text);
    SysFreeString(text);
    return ansi.empty() ? "null" : "\"" + ansi + "\"";
}

class AddressesAsTwins : public SimulatedClientTest, public testing::WithParamInterface<AddressRecords> {};

TEST_P(AddressesAsTwins, GiveTheTwinsTexts) {
    ASSERT_TRUE(SetAddressRecords(sim(), GetParam()));
    auto library = loadLibrary();
    QL_EXPORT(*library, QuorlanGetVirtualAddressExVB);
    QL_EXPORT(*library, QuorlanGetPointOfPresenceExVB);
    QL_EXPORT(*library, QuorlanGetConnectedServerAddressExVB);
    Outcome outcome = RunQlctl(L"addresses --json");
    EXPECT_EQ(outcome.out, "{\"connected_server\":" + TwinJson(QuorlanGetConnectedServerAddressExVB) +
                               ",\"point_of_presence\":" + TwinJson(QuorlanGetPointOfPresenceExVB) +
                               ",\"virtual_address\":" + TwinJson(QuorlanGetVirtualAddressExVB) + "}\n");
}

const std::array<uint8_t, 16> kMapped = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 10, 1, 2, 3};
INSTANTIATE_TEST_SUITE_P(Qlctl, AddressesAsTwins,
                         testing::Values(kIPv4, kIPv6,
                                         AddressRecords{IPv6Record(kLinkLocal5), IPv4Record(0, 0, 0, 0, 80),
                                                        IPv6Record(kMapped)}));

}  // namespace
}  // namespace qltest
