// status, reason and watch --text: the library's words as qlctl prints
// them, in English and, with the pseudo-locale configured, from its module.
#include <regex>

#include "support/language_setup.h"
#include "support/qlctl_process.h"
#include "support/simulated_client.h"
#include "support/sorted_json.h"

namespace qltest {
namespace {

struct StatusCase {
    const char* name;
    void (*setUp)(QlSimState&);
    const wchar_t* language;  // Language to configure, or null
    const wchar_t* arguments;
    const char* out;
};

const StatusCase kStatusCases[] = {
    {"Idle", [](QlSimState&) {}, nullptr, L"status", "Vorantis is idle.\n"},
    {"LinesEndInNewlines", [](QlSimState& s) {
         s.connectionState = 5;
         s.disconnectReason = 51;
     },
     nullptr, L"status",
     "Vorantis is disconnected. Network traffic is not using Vorantis.\nLast Disconnect Reason: User disconnected.\n"},
    {"JsonKeepsTheTextAsItIs", [](QlSimState& s) {
         s.connectionState = 2;
         s.connectingPhase = 13;
         s.trafficBypassed = 1;
     },
     nullptr, L"status --json",
     "{\"name\":\"connecting\",\"phase\":13,\"reason\":0,\"state\":2,\"text\":\"Waiting for authentication to "
     "complete...\\r\\nLast Disconnect Reason: Reason not set.\\r\\nNetwork traffic is not using Vorantis.\","
     "\"traffic_bypassed\":true}\n"},
    {"PseudoLocale", [](QlSimState&) {}, L"qps-ploc", L"status", "[V\xC3\xB6r\xC3\xA5\xC3\xB1t\xC3\xAEs \xC3\xAEs "
                                                                  "\xC3\xAE\xC3\xB0l\xC3\xA9. !!!!]\n"},
    {"ReasonInThePseudoLocale", [](QlSimState& s) { s.disconnectReason = 51; }, L"qps-ploc", L"reason",
     "51 [\xC3\x9Cs\xC3\xA9r \xC3\xB0\xC3\xAEs\xC3\xA7\xC3\xB6\xC3\xB1\xC3\xB1\xC3\xA9\xC3\xA7t\xC3\xA9\xC3\xB0. !!!!]\n"},
};

class StatusTest : public SimulatedClientTest {
protected:
    void SetUp() override {
        SimulatedClientTest::SetUp();
        ClearLanguageSettings();
    }
    void TearDown() override { ClearLanguageSettings(); }
};

class Status : public StatusTest, public testing::WithParamInterface<StatusCase> {};

TEST_P(Status, PrintsTheLibrarysWords) {
    const StatusCase& c = GetParam();
    changeSim(c.setUp);
    if (c.language) SetLanguage(c.language);
    Outcome outcome = RunQlctl(c.arguments);
    EXPECT_EQ(outcome.exitCode, 0u) << outcome.err;
    EXPECT_EQ(outcome.out, c.out);
    if (std::wstring(c.arguments).find(L"--json") != std::wstring::npos) {
        EXPECT_TRUE(IsSortedJsonObject(outcome.out.substr(0, outcome.out.size() - 1)));
    }
}

INSTANTIATE_TEST_SUITE_P(Qlctl, Status, testing::ValuesIn(kStatusCases),
                         [](const testing::TestParamInfo<StatusCase>& info) { return info.param.name; });

TEST_F(StatusTest, WatchTextFollowsEachChange) {
    QlctlProcess watch(L"watch --text --count 1");
    for (int attempt = 0; attempt < 200; ++attempt) {
        uint32_t count = 0;
        if (sim().pendingCount(count) && count == 1) break;
        Sleep(25);
    }
    changeSim([](QlSimState& s) {
        s.connectionState = 5;
        s.disconnectReason = 35;
    });
    Outcome outcome = watch.finish(10000);
    EXPECT_EQ(outcome.exitCode, 0u) << outcome.err;
    EXPECT_TRUE(std::regex_match(outcome.out,
                                 std::regex("\\d{4}-\\d\\d-\\d\\dT[0-9:.]{12}Z 5 disconnected\n"
                                            "  Vorantis is disconnected\\. Network traffic is not using Vorantis\\.\n"
                                            "  Last Disconnect Reason: User has logged off\\.\n")))
        << outcome.out;
}

}  // namespace
}  // namespace qltest
