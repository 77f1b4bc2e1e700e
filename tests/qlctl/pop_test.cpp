// qlctl pop: the interface that carries the simulated client's point of
// presence, as text and JSON, and when there is none.
#include "support/address_records.h"
#include "support/qlctl_process.h"
#include "support/simulated_client.h"
#include "support/sorted_json.h"

namespace qltest {
namespace {

using qlsim::IPv4Record;
using qlsim::SimInterface;

const qlsim::AddressRecord kPresence4 = IPv4Record(10, 1, 2, 3, 5008);
const qlsim::AddressRecord kPresence6 = qlsim::IPv6Record(kLinkLocal1, 7, 5008);

// Holds `address` as its second; values that need all 64 bits.
SimInterface Carrying(const qlsim::AddressRecord& address, uint32_t flags, std::u16string name = u"eth7") {
    SimInterface i;
    i.value4 = 7;
    i.value16 = 0x1111222233334444ull;
    i.value5112 = 0xFFFFFFFFFFFFFFFFull;
    i.flags = flags;
    i.name = std::move(name);
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

struct PopCase {
    const char* name;
    qlsim::AddressRecord presence;
    std::vector<SimInterface> interfaces;
    const wchar_t* arguments;
    DWORD exitCode;
    const char* out;
};

const PopCase kCases[] = {
    {"IPv6WithZoneAndPortJson", kPresence6, {Carrying(kPresence6, 0x20)}, L"pop --json", 0,
     "{\"address\":\"[fe80::1%7]:5008\",\"interface_name\":\"eth7\",\"interface_value1\":7,"
     "\"interface_value2\":1229801703532086340,\"interface_value3\":18446744073709551615,\"network_type\":2,"
     "\"network_type_flag\":\"flag 0x20\",\"physical_address\":\"00-1A-2B-3C-4D-5E\",\"second_text\":\"wired\","
     "\"trailing_bytes\":\"DE-AD\"}\n"},
    {"EmptyPartsJson", kPresence4, {Bare(kPresence4)}, L"pop --json", 0,
     "{\"address\":\"10.1.2.3:5008\",\"interface_name\":\"\",\"interface_value1\":0,\"interface_value2\":0,"
     "\"interface_value3\":0,\"network_type\":1,\"network_type_flag\":\"neither\",\"physical_address\":\"\","
     "\"second_text\":\"\",\"trailing_bytes\":\"\"}\n"},
    // The second interface holds it; a terminal would act on what the client
    // put in its name.
    {"IPv4WithControlCharacters",
     kPresence4,
     {Bare(IPv4Record(10, 0, 0, 1)), Carrying(kPresence4, 0x30, u"eth\x1b[2J\u0085x")},
     L"pop",
     0,
     "address:           10.1.2.3:5008\n"
     "interface name:    eth?[2J?x\n"
     "physical address:  00-1A-2B-3C-4D-5E\n"
     "second text:       wired\n"
     "trailing bytes:    DE-AD\n"
     "interface value 1: 7\n"
     "interface value 2: 1229801703532086340\n"
     "interface value 3: 18446744073709551615\n"
     "network type:      3 (flag 0x10)\n"},
    {"NoPointOfPresence", qlsim::FamilyOnlyRecord(0), {Carrying(kPresence4, 0)}, L"pop", 1, ""},
    {"NoInterfaceCarriesIt", kPresence4, {Bare(IPv4Record(10, 1, 2, 4))}, L"pop --json", 1, ""},
};

class Pop : public SimulatedClientTest, public testing::WithParamInterface<PopCase> {};

TEST_P(Pop, PrintsTheInterface) {
    const PopCase& c = GetParam();
    ASSERT_TRUE(SetAddressRecords(sim(), {qlsim::FamilyOnlyRecord(0), IPv4Record(203, 0, 113, 9, 443), c.presence}));
    ASSERT_TRUE(SetInterfaces(sim(), c.interfaces));
    Outcome outcome = RunQlctl(c.arguments);
    EXPECT_EQ(outcome.exitCode, c.exitCode) << outcome.err;
    EXPECT_EQ(outcome.out, c.out);
    EXPECT_EQ(outcome.err.find("no point of presence") != std::string::npos, c.exitCode != 0) << outcome.err;
    if (outcome.out.find('{') == 0) {
        EXPECT_TRUE(IsSortedJsonObject(outcome.out.substr(0, outcome.out.size() - 1)));
    }
}

INSTANTIATE_TEST_SUITE_P(Qlctl, Pop, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<PopCase>& info) { return info.param.name; });

}  // namespace
}  // namespace qltest
