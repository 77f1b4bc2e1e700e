// qlctl addresses: the three addresses the simulated client reports, as text
// and JSON, and the same texts the library's ExVB twins give.
#include <windows.h>
#include <oleauto.h>

#include "qlclapi.h"
#include "support/address_records.h"
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
const AddressRecords kOnlyServer = {kNone, IPv4Record(203, 0, 113, 9), kNone};
// Families the library does not know hold no address.
const AddressRecords kOtherFamilies = {qlsim::FamilyOnlyRecord(17), qlsim::FamilyOnlyRecord(17),
                                       qlsim::FamilyOnlyRecord(17)};

const char kIPv4Text[] =
    "virtual address:   10.8.0.5\n"
    "point of presence: 10.1.2.3:5008\n"
    "connected server:  203.0.113.9:443\n";
const char kNoneJson[] = "{\"connected_server\":null,\"point_of_presence\":null,\"virtual_address\":null}\n";

struct AddressesCase {
    const char* name;
    AddressRecords records;
    void (*setUp)(QlSimState&);
    std::vector<uint32_t> refused;  // request codes the driver refuses
    uint32_t serverAnswerBytes;     // the server request answered this short, or 0
    const wchar_t* arguments;
    DWORD exitCode;
    const char* out;
};

void NoChange(QlSimState&) {}
void OtherGeneration(QlSimState& s) { s.version = 0x0C0B0001; }

const AddressesCase kCases[] = {
    {"IPv4", kIPv4, NoChange, {}, 0, L"addresses", 0, kIPv4Text},
    {"IPv4Json", kIPv4, NoChange, {}, 0, L"addresses --json", 0,
     "{\"connected_server\":\"203.0.113.9:443\",\"point_of_presence\":\"10.1.2.3:5008\","
     "\"virtual_address\":\"10.8.0.5\"}\n"},
    {"IPv6WithZoneAndPort", kIPv6, NoChange, {}, 0, L"addresses", 0,
     "virtual address:   fe80::5%4\n"
     "point of presence: [fe80::1%7]:5008\n"
     "connected server:  [2001:db8::1]:443\n"},
    {"IPv6Json", kIPv6, NoChange, {}, 0, L"addresses --json", 0,
     "{\"connected_server\":\"[2001:db8::1]:443\",\"point_of_presence\":\"[fe80::1%7]:5008\","
     "\"virtual_address\":\"fe80::5%4\"}\n"},
    {"NothingYet", {kNone, kNone, kNone}, NoChange, {}, 0, L"addresses", 0,
     "virtual address:   none\npoint of presence: none\nconnected server:  none\n"},
    {"NothingYetJson", {kNone, kNone, kNone}, NoChange, {}, 0, L"addresses --json", 0, kNoneJson},
    {"OtherFamiliesAreNone", kOtherFamilies, NoChange, {}, 0, L"addresses --json", 0, kNoneJson},
    {"OnlyServer", kOnlyServer, NoChange, {}, 0, L"addresses --json", 0,
     "{\"connected_server\":\"203.0.113.9\",\"point_of_presence\":null,\"virtual_address\":null}\n"},
    {"PresenceNeedsThisGeneration", kIPv4, OtherGeneration, {}, 0, L"addresses", 0,
     "virtual address:   10.8.0.5\npoint of presence: none\nconnected server:  203.0.113.9:443\n"},
    {"ShortServerAnswerLosesOnlyThePresence", kIPv4, NoChange, {}, 28, L"addresses", 0,
     "virtual address:   10.8.0.5\npoint of presence: none\nconnected server:  203.0.113.9:443\n"},
    {"ServerRequestRefused", kIPv4, NoChange, {0x22250F}, 0, L"addresses", 0,
     "virtual address:   10.8.0.5\npoint of presence: none\nconnected server:  none\n"},
    {"EveryRequestRefused", kIPv4, NoChange, {0x22250F, 0x22241F}, 0, L"addresses", 1, ""},
};

class Addresses : public SimulatedClientTest, public testing::WithParamInterface<AddressesCase> {};

TEST_P(Addresses, PrintsWhatTheClientReports) {
    const AddressesCase& c = GetParam();
    ASSERT_TRUE(SetAddressRecords(sim(), c.records));
    changeSim(c.setUp);
    for (uint32_t code : c.refused) refuse(code);
    if (c.serverAnswerBytes) answerShort(0x22250F, c.serverAnswerBytes);
    Outcome outcome = RunQlctl(c.arguments);
    EXPECT_EQ(outcome.exitCode, c.exitCode) << outcome.err;
    EXPECT_EQ(outcome.out, c.out);
    EXPECT_EQ(outcome.err.empty(), c.exitCode == 0) << outcome.err;
    if (c.exitCode == 0 && std::wstring(c.arguments).find(L"--json") != std::wstring::npos) {
        EXPECT_TRUE(IsSortedJsonObject(outcome.out.substr(0, outcome.out.size() - 1)));
    }
}

INSTANTIATE_TEST_SUITE_P(Qlctl, Addresses, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<AddressesCase>& info) { return info.param.name; });

// The ANSI bytes a VB twin packed into a BSTR, as a JSON value; null when
// the twin failed or gave no text.
std::string TwinJson(PFN_QuorlanGetVirtualAddressExVB twin) {
    BSTR text = SysAllocString(L"");
    std::string ansi;
    if (twin(&text)) ansi = std::string(reinterpret_cast<const char*>(text), 2 * SysStringLen(text)).c_str();
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
    std::string expected = "{\"connected_server\":" + TwinJson(QuorlanGetConnectedServerAddressExVB) +
                           ",\"point_of_presence\":" + TwinJson(QuorlanGetPointOfPresenceExVB) +
                           ",\"virtual_address\":" + TwinJson(QuorlanGetVirtualAddressExVB) + "}\n";
    Outcome outcome = RunQlctl(L"addresses --json");
    EXPECT_EQ(outcome.exitCode, 0u) << outcome.err;
    EXPECT_EQ(outcome.out, expected);
}

INSTANTIATE_TEST_SUITE_P(Qlctl, AddressesAsTwins,
                         testing::Values(kIPv4, kIPv6, kOnlyServer,
                                         AddressRecords{IPv6Record(kLinkLocal5), IPv4Record(0, 0, 0, 0, 80),
                                                        IPv6Record({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 10,
                                                                    1, 2, 3},
                                                                   0, 0)}));

}  // namespace
}  // namespace qltest
