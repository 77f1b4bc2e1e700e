// qlsim interface: entries appended to the table the driver answers with,
// byte for byte as the driver's side writes them, listed back, cleared, and
// filled up to the driver's record limit.
#include "sim_records.h"
#include "support/qlsim_run.h"
#include "support/simulated_client.h"

namespace {

using qltest::RunQlsim;

class InterfaceCommand : public qltest::SimulatedClientTest {
protected:
    std::vector<uint8_t> table() { return record(QLSIM_RECORD_INTERFACE_TABLE); }
};

TEST_F(InterfaceCommand, AddsListsAndClears) {
    qlsim::SimInterface wifi, bare;
    wifi.name = u"Wi-Fi \"2\" \u00e9";
    wifi.physical = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};
    wifi.addresses = {qlsim::IPv4Record(10, 1, 2, 3),
                      qlsim::IPv6Record({0xFE, 0x80, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}, 7, 5008)};
    wifi.flags = 0x30, wifi.secondText = u"ssid", wifi.trailing = {0x0A, 0x1B};
    wifi.value4 = 4, wifi.value16 = ~0ull, wifi.value5112 = 5112;
    bare.name = u"lo";
    ASSERT_EQ(RunQlsim(L"interface add --name \"Wi-Fi \\\"2\\\" \u00e9\" --mac 00-1a-2B-3C-4D-5E --address 10.1.2.3"
                       L" --address [fe80::1%7]:5008 --flags 0x30 --second-text ssid --trailing 0A1B --value4 4"
                       L" --value16 0xFFFFFFFFFFFFFFFF --value5112 5112").exitCode, 0u);
    ASSERT_EQ(RunQlsim(L"interface add --name lo").exitCode, 0u);
    EXPECT_EQ(table(), qlsim::InterfaceTableBytes({wifi, bare}));
    EXPECT_EQ(RunQlsim(L"interface list --json").out,
              "{\"bytes\":10472,\"fault\":null,\"interfaces\":[{\"addresses\":[\"10.1.2.3\",\"[fe80::1%7]:5008\"],"
              "\"flags\":48,\"mac\":\"00-1A-2B-3C-4D-5E\",\"name\":\"Wi-Fi \\\"2\\\" \\u00e9\","
              "\"second-text\":\"ssid\",\"trailing\":\"0A1B\",\"value16\":18446744073709551615,\"value4\":4,"
              "\"value5112\":5112},"
              "{\"addresses\":[],\"flags\":0,\"mac\":\"\",\"name\":\"lo\",\"second-text\":\"\",\"trailing\":\"\","
              "\"value16\":0,\"value4\":0,\"value5112\":0}]}\n");
    ASSERT_EQ(RunQlsim(L"interface clear").exitCode, 0u);
    EXPECT_EQ(table(), qlsim::InterfaceTableBytes({}));
}

struct FillCase {
    uint32_t count;
    size_t bytes;
};

void PrintTo(const FillCase& c, std::ostream* out) { *out << c.count << " interfaces"; }

class InterfaceFill : public InterfaceCommand, public testing::WithParamInterface<FillCase> {};

TEST_P(InterfaceFill, ReplacesTheTable) {
    ASSERT_EQ(RunQlsim(L"interface add --name old").exitCode, 0u);
    ASSERT_EQ(RunQlsim(L"interface fill " + std::to_wstring(GetParam().count)).exitCode, 0u);
    std::vector<uint8_t> bytes = table();
    EXPECT_EQ(bytes.size(), GetParam().bytes);
    qlsim::InterfaceTableReading reading = qlsim::ReadInterfaceTable(bytes);
    EXPECT_EQ(reading.fault, "");
    ASSERT_EQ(reading.interfaces.size(), GetParam().count);
    for (size_t i = 0; i < reading.interfaces.size(); ++i)
        EXPECT_EQ(reading.interfaces[i].addresses.at(0), qlsim::IPv4Record(192, 0, 2, uint8_t(i + 1))) << "distinct";
}

// 16 entries are exactly the library's first request; 200 are all that fit
// the driver's 1 MiB record limit.
INSTANTIATE_TEST_SUITE_P(Counts, InterfaceFill,
                         testing::Values(FillCase{0, 8}, FillCase{16, 83720}, FillCase{200, 1046408}));

TEST_F(InterfaceCommand, AddLeavesATableItCannotExtend) {
    struct {
        std::vector<uint8_t> (*make)();
        const char* message;
    } cases[] = {
        {[] { return qlsim::InterfaceTableBytes({qlsim::SimInterface{}}, 2); }, "entry count 2, but 1 whole entries"},
        {[] { return qlsim::InterfaceTableBytes(std::vector<qlsim::SimInterface>(200)); }, "already holds 200"},
    };
    for (const auto& c : cases) {
        const std::vector<uint8_t> before = c.make();
        ASSERT_TRUE(sim().setRecord(QLSIM_RECORD_INTERFACE_TABLE, before));
        qltest::QlsimRun run = RunQlsim(L"interface add --name x");
        EXPECT_EQ(run.exitCode, 1u);
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_EQ(table(), before);
    }
}

}  // namespace
