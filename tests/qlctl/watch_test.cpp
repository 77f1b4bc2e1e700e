// watch: one line per state change the test makes in the simulated client.
#include <regex>

#include "support/sorted_json.h"
#include "support/qlctl_process.h"
#include "support/simulated_client.h"

namespace qltest {
namespace {

class Watch : public SimulatedClientTest {
protected:
    // Waits until qlctl's notification request is pending in the driver, so
    // that a change made now is one it sees.
    bool requestPending() {
        for (int attempt = 0; attempt < 200; ++attempt) {
            uint32_t count = 0;
            if (sim().pendingCount(count) && count == 1) return true;
            Sleep(25);
        }
        return false;
    }
    void changeStateOnceWatched(int32_t state) {
        ASSERT_TRUE(requestPending()) << "qlctl watch issued no notification request";
        changeSim([=](QlSimState& s) { s.connectionState = state; });
    }
};

struct WatchCase {
    const char* name;
    const wchar_t* arguments;
    const char* lines;  // a pattern for the whole output
};

#define QL_TIME "\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\\.\\d{3}Z"
const WatchCase kWatchCases[] = {
    {"Text", L"watch --count 2", QL_TIME " 3 connected\n" QL_TIME " 4 server-unreachable\n"},
    {"Json", L"watch --json --count 2",
     "\\{\"name\":\"connected\",\"state\":3,\"time\":\"" QL_TIME "\"\\}\n"
     "\\{\"name\":\"server-unreachable\",\"state\":4,\"time\":\"" QL_TIME "\"\\}\n"},
};
#undef QL_TIME

class WatchChanges : public Watch, public testing::WithParamInterface<WatchCase> {};

TEST_P(WatchChanges, PrintsOneLinePerChangeThenExits) {
    QlctlProcess watch(GetParam().arguments);
    changeStateOnceWatched(3);
    changeStateOnceWatched(4);
    Outcome outcome = watch.finish(10000);
    EXPECT_EQ(outcome.exitCode, 0u) << outcome.err;
    EXPECT_TRUE(std::regex_match(outcome.out, std::regex(GetParam().lines))) << outcome.out;
    size_t lineEnd = outcome.out.find('\n');
    if (std::wstring(GetParam().arguments).find(L"--json") != std::wstring::npos) {
        EXPECT_TRUE(IsSortedJsonObject(outcome.out.substr(0, lineEnd)));
    }
}

INSTANTIATE_TEST_SUITE_P(Qlctl, WatchChanges, testing::ValuesIn(kWatchCases),
                         [](const testing::TestParamInfo<WatchCase>& info) { return info.param.name; });

TEST_F(Watch, CtrlCCancelsTheRequestAndExitsCleanly) {
    QlctlProcess watch(L"watch", {}, {}, true);
    ASSERT_TRUE(requestPending());
    bool sent = false;
    Outcome outcome = InterruptWithCtrlC(watch, sent);
    ASSERT_TRUE(sent) << GetLastError();
    EXPECT_EQ(outcome.exitCode, 0u);
    EXPECT_EQ(outcome.out, "");
    // Wine's default handler also exits with 0: the message tells qlctl's own.
    EXPECT_EQ(outcome.err, "qlctl watch: interrupted; the pending request was cancelled\n");
}

TEST_F(Watch, DriverOfAnotherGenerationIsReported) {
    changeSim([](QlSimState& s) { s.version = 0x0C0B422F; });
    Outcome outcome = RunQlctl(L"watch --count 1");
    EXPECT_EQ(outcome.exitCode, 1u);
    EXPECT_NE(outcome.err.find("notification is not available"), std::string::npos) << outcome.err;
}

}  // namespace
}  // namespace qltest
