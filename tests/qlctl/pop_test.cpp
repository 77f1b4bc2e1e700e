// qlctl pop: the interface that carries the simulated client's point of
// presence, as text and JSON, and when there is none.
#include "support/address_records.h"
#include "support/qlctl_process.h"
#include "support/simulated_client.h"
#include "support/sorted_json.h"

namespace qltest {
namespace {

using qlsim::IPv4Record;
using qlsim::IPv6Record;
using qlsim::SimInterface;

const qlsim::AddressRecord kPresence4 = IPv4Record(10, 1, 2, 3, 5008);
const qlsim::AddressRecord kPresence6 = IPv6Record(kLinkLocal1, 7, 5008);

// An interface holding `address` after another one, with values that need
// all 64 bits.
SimInterface Carrying(const qlsim::AddressRecord& address, uint32_t flags) {
    SimInterface i;
    i.value4 = 7;
    i.value16 = 0x1111222233334444ull;
    i.value5112 = 0xFFFFFFFFFFFFFFFFull;
    i.flags = flags;
    i.name = u"eth7";
    i.physical = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};
    i.secondText = u"wired";
    i.trailing = {0xDE, 0xAD};
    i.addresses = {IPv4Record(192, 168, 1, 1), address};
    return i;
}

SimInterface Bare(const qlsim::AddressRecord& address) {
    SimInterface i;
    i.addresses = {address};
    return i;
}

SimInterface Hostile(const qlsim::AddressRecord& address) {
    SimInterface i = Carrying(address, 0x10);
    i.name = u"eth\x1b[2J\u0085x";
    i.secondText = u"line\nbreak";
    return i;
}

SimInterface Longest(const qlsim::AddressRecord& address) {
    SimInterface i = Carrying(address, 0x10);
    i.name = std::u16string(513, u'n');
    i.physical = std::vector<uint8_t>(19, 0xAB);
    i.secondText = std::u16string(34, u's');
    i.trailing = std::vector<uint8_t>(16, 0x01);
    return i;
}

// The lines of Carrying()'s interface between the address and the type.
const std::string kCarryingParts =
    "interface name:    eth7\n"
    "physical address:  00-1A-2B-3C-4D-5E\n"
    "second text:       wired\n"
    "trailing bytes:    DE-AD\n";
const std::string kCarryingValues =
    "interface value 1: 7\n"
    "interface value 2: 1229801703532086340\n"
    "interface value 3: 18446744073709551615\n";
const std::string kCarryingJsonValues =
    "\"interface_value1\":7,\"interface_value2\":1229801703532086340,\"interface_value3\":18446744073709551615,";

std::string CarryingJson(const char* address, const char* typeMembers) {
    return std::string("{\"address\":\"") + address + "\",\"interface_name\":\"eth7\"," + kCarryingJsonValues +
           typeMembers +
           ",\"physical_address\":\"00-1A-2B-3C-4D-5E\",\"second_text\":\"wired\",\"trailing_bytes\":\"DE-AD\"}\n";
}

struct PopCase {
    const char* name;
    qlsim::AddressRecord presence;
    std::vector<SimInterface> interfaces;
    const wchar_t* arguments;
    DWORD exitCode;
    std::string out;
};

const PopCase kCases[] = {
    {"IPv4", kPresence4, {Bare(IPv4Record(10, 0, 0, 1)), Carrying(kPresence4, 0x10)}, L"pop", 0,
     "address:           10.1.2.3:5008\n" + kCarryingParts + kCarryingValues + "network type:      3 (flag 0x10)\n"},
    {"IPv4Json", kPresence4, {Carrying(kPresence4, 0x30)}, L"pop --json", 0,
     CarryingJson("10.1.2.3:5008", "\"network_type\":3,\"network_type_flag\":\"flag 0x10\"")},
    {"IPv6WithZoneAndPort", kPresence6, {Carrying(kPresence6, 0x20)}, L"pop", 0,
     "address:           [fe80::1%7]:5008\n" + kCarryingParts + kCarryingValues +
         "network type:      2 (flag 0x20)\n"},
    {"IPv6Json", kPresence6, {Carrying(kPresence6, 0x20)}, L"pop --json", 0,
     CarryingJson("[fe80::1%7]:5008", "\"network_type\":2,\"network_type_flag\":\"flag 0x20\"")},
    {"EmptyParts", kPresence4, {Bare(kPresence4)}, L"pop", 0,
     "address:           10.1.2.3:5008\n"
     "interface name:    (empty)\n"
     "physical address:  (empty)\n"
     "second text:       (empty)\n"
     "trailing bytes:    (empty)\n"
     "interface value 1: 0\n"
     "interface value 2: 0\n"
     "interface value 3: 0\n"
     "network type:      1 (neither)\n"},
    {"EmptyPartsJson", kPresence4, {Bare(kPresence4)}, L"pop --json", 0,
     "{\"address\":\"10.1.2.3:5008\",\"interface_name\":\"\",\"interface_value1\":0,\"interface_value2\":0,"
     "\"interface_value3\":0,\"network_type\":1,\"network_type_flag\":\"neither\",\"physical_address\":\"\","
     "\"second_text\":\"\",\"trailing_bytes\":\"\"}\n"},
    {"ControlCharactersShownSafely", kPresence4, {Hostile(kPresence4)}, L"pop", 0,
     "address:           10.1.2.3:5008\n"
     "interface name:    eth?[2J?x\n"
     "physical address:  00-1A-2B-3C-4D-5E\n"
     "second text:       line?break\n"
     "trailing bytes:    DE-AD\n" +
         kCarryingValues + "network type:      3 (flag 0x10)\n"},
    {"ControlCharactersEscapedInJson", kPresence4, {Hostile(kPresence4)}, L"pop --json", 0,
     "{\"address\":\"10.1.2.3:5008\",\"interface_name\":\"eth\\u001b[2J\xC2\x85x\"," +
         kCarryingJsonValues + "\"network_type\":3,"
     "\"network_type_flag\":\"flag 0x10\",\"physical_address\":\"00-1A-2B-3C-4D-5E\","
     "\"second_text\":\"line\\u000abreak\",\"trailing_bytes\":\"DE-AD\"}\n"},
    {"FullFields", kPresence4, {Longest(kPresence4)}, L"pop --json", 0,
     "{\"address\":\"10.1.2.3:5008\",\"interface_name\":\"" + std::string(513, 'n') + "\"," +
         kCarryingJsonValues + "\"network_type\":3,\"network_type_flag\":\"flag 0x10\","
         "\"physical_address\":\"AB-AB-AB-AB-AB-AB-AB-AB-AB-AB-AB-AB-AB-AB-AB-AB-AB-AB-AB\",\"second_text\":\"" +
         std::string(34, 's') + "\",\"trailing_bytes\":\"01-01-01-01-01-01-01-01-01-01-01-01-01-01-01-01\"}\n"},
    {"NoPointOfPresence", qlsim::FamilyOnlyRecord(0), {Carrying(kPresence4, 0)}, L"pop", 1, ""},
    {"NoInterfaceCarriesIt", kPresence4, {Bare(IPv4Record(10, 1, 2, 4))}, L"pop --json", 1, ""},
    {"ZoneMustMatchToo", kPresence6, {Bare(IPv6Record(kLinkLocal1, 8))}, L"pop", 1, ""},
    {"NoInterfaces", kPresence4, {}, L"pop", 1, ""},
};

class Pop : public SimulatedClientTest, public testing::WithParamInterface<PopCase> {};

TEST_P(Pop, PrintsTheInterface) {
    const PopCase& c = GetParam();
    ASSERT_TRUE(SetAddressRecords(sim(), {qlsim::FamilyOnlyRecord(0), IPv4Record(203, 0, 113, 9, 443), c.presence}));
    ASSERT_TRUE(SetInterfaces(sim(), c.interfaces));
    Outcome outcome = RunQlctl(c.arguments);
    EXPECT_EQ(outcome.exitCode, c.exitCode) << outcome.err;
    EXPECT_EQ(outcome.out, c.out);
    if (c.exitCode) {
        EXPECT_NE(outcome.err.find("no point of presence"), std::string::npos) << outcome.err;
    } else {
        EXPECT_EQ(outcome.err, "");
    }
    if (c.exitCode == 0 && std::wstring(c.arguments).find(L"--json") != std::wstring::npos) {
        EXPECT_TRUE(IsSortedJsonObject(outcome.out.substr(0, outcome.out.size() - 1)));
    }
}

INSTANTIATE_TEST_SUITE_P(Qlctl, Pop, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<PopCase>& info) { return info.param.name; });

using PopWithOtherDriver = SimulatedClientTest;

TEST_F(PopWithOtherDriver, FindsNoPointOfPresence) {
    ASSERT_TRUE(SetAddressRecords(sim(), {qlsim::FamilyOnlyRecord(0), IPv4Record(203, 0, 113, 9), kPresence4}));
    ASSERT_TRUE(SetInterfaces(sim(), {Carrying(kPresence4, 0x10)}));
    changeSim([](QlSimState& s) { s.version = 0x0C0B0001; });
    Outcome outcome = RunQlctl(L"pop");
    EXPECT_EQ(outcome.exitCode, 1u);
    EXPECT_EQ(outcome.out, "");
    EXPECT_NE(outcome.err.find("no point of presence"), std::string::npos) << outcome.err;
}

}  // namespace
}  // namespace qltest
