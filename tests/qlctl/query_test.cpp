// version, state and reason (with its text): what the simulated client answers, as qlctl
// prints it in text and JSON.
#include "support/sorted_json.h"
#include "support/qlctl_process.h"
#include "support/simulated_client.h"

namespace qltest {
namespace {

struct QueryCase {
    const char* name;
    void (*setUp)(QlSimState&);
    uint32_t refusedCode;  // a request the driver refuses, or 0
    const wchar_t* arguments;
    const char* out;
};

const QueryCase kQueryCases[] = {
    {"StateIdle", [](QlSimState&) {}, 0, L"state", "1 idle\n"},
    {"StateConnected", [](QlSimState& s) { s.connectionState = 3; }, 0, L"state", "3 connected\n"},
    {"DisconnectedFlagWins", [](QlSimState& s) {
         s.connectionState = 3;
         s.disconnected = 1;
     },
     0, L"state", "5 disconnected\n"},
    {"UnknownStateIsDisabled", [](QlSimState& s) { s.connectionState = 9; }, 0, L"state", "9 disabled\n"},
    {"StateJson", [](QlSimState& s) { s.connectionState = 4; }, 0, L"state --json",
     "{\"name\":\"server-unreachable\",\"state\":4}\n"},
    {"NegativeStateJson", [](QlSimState& s) { s.connectionState = -2; }, 0, L"state --json",
     "{\"name\":\"disabled\",\"state\":-2}\n"},
    {"Version", [](QlSimState&) {}, 0, L"version", "12.12.16943 (0x0C0C422F), this library's generation 12.12\n"},
    {"OlderGeneration", [](QlSimState& s) { s.version = 0x0C0B0001; }, 0, L"version",
     "12.11.1 (0x0C0B0001), not this library's generation 12.12\n"},
    {"VersionRefused", [](QlSimState&) {}, 0x222403, L"version",
     "0.0.0 (0x00000000), not this library's generation 12.12\n"},
    {"VersionJson", [](QlSimState&) {}, 0, L"version --json",
     "{\"hex\":\"0x0C0C422F\",\"own_generation\":true,\"version\":\"12.12.16943\",\"word\":202129967}\n"},
    {"LargestVersionJson", [](QlSimState& s) { s.version = 0xFFFFFFFF; }, 0, L"version --json",
     "{\"hex\":\"0xFFFFFFFF\",\"own_generation\":false,\"version\":\"255.255.65535\",\"word\":4294967295}\n"},
    {"NoReason", [](QlSimState&) {}, 0, L"reason", "0 Reason not set.\n"},
    {"ReasonJson", [](QlSimState& s) { s.disconnectReason = 51; }, 0, L"reason --json",
     "{\"reason\":51,\"text\":\"User disconnected.\"}\n"},
    {"ReasonWithoutText", [](QlSimState& s) { s.disconnectReason = 47; }, 0, L"reason", "47\n"},
    {"LargestReasonJson", [](QlSimState& s) { s.disconnectReason = 0xFFFFFFFF; }, 0, L"reason --json",
     "{\"reason\":4294967295}\n"},
};

class Query : public SimulatedClientTest, public testing::WithParamInterface<QueryCase> {};

TEST_P(Query, PrintsWhatTheClientAnswers) {
    const QueryCase& c = GetParam();
    changeSim(c.setUp);
    if (c.refusedCode) refuse(c.refusedCode);
    Outcome outcome = RunQlctl(c.arguments);
    EXPECT_EQ(outcome.exitCode, 0u) << outcome.err;
    EXPECT_EQ(outcome.out, c.out);
    EXPECT_EQ(outcome.err, "");
    if (std::wstring(c.arguments).find(L"--json") != std::wstring::npos) {
        EXPECT_TRUE(IsSortedJsonObject(outcome.out.substr(0, outcome.out.size() - 1)));
    }
}

INSTANTIATE_TEST_SUITE_P(Qlctl, Query, testing::ValuesIn(kQueryCases),
                         [](const testing::TestParamInfo<QueryCase>& info) { return info.param.name; });

}  // namespace
}  // namespace qltest
