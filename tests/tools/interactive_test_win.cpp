// What a transcript cannot show: qlctl waiting while the simulated client
// changes, Ctrl+C typed on its console, and qlctl without its library.
#include <functional>
#include <regex>

#include "support/child_process.h"
#include "support/diag_service.h"
#include "support/simulated_client.h"
#include "support/tool_process_win.h"

namespace qltest {
namespace {

const std::wstring kQlctl = BesideThisProgram(L"qlctl.exe");

// True once `condition` holds, false after a minute (a start in the x86
// lane's emulated machine takes seconds).
bool Eventually(const std::function<bool()>& condition) {
    for (int attempt = 0; attempt < 2400; ++attempt, Sleep(25))
        if (condition()) return true;
    return false;
}

// Ctrl+C typed on the console of a qlctl started with `arguments`, once
// `ready`: this program joins that console, ignoring the event itself. A
// clean end is said on standard error; Wine's default handler also exits
// with 0, so the message tells qlctl's own.
void ExpectCleanInterrupt(const wchar_t* arguments, const std::function<bool()>& ready, const char* message) {
    ToolProcess qlctl(kQlctl, arguments, {}, true);
    ASSERT_TRUE(ready());
    FreeConsole();
    const bool sent = AttachConsole(qlctl.id()) && SetConsoleCtrlHandler(nullptr, TRUE) &&
                      GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0);
    const DWORD error = GetLastError();
    ToolRun run = qlctl.finish(60000);
    FreeConsole();
    ASSERT_TRUE(sent) << error;
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, message);
}

#define QL_TIME "\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\\.\\d{3}Z"

class Watch : public SimulatedClientTest {
protected:
    // Until this many state-change requests wait in the driver, so that a
    // change made now is one every watcher sees.
    bool pending(uint32_t wanted) {
        return Eventually([&] {
            uint32_t count = 0;
            return sim().pendingCount(count) && count == wanted;
        });
    }
};

// Side by side: a process start is what costs most under emulation.
TEST_F(Watch, PrintsOneLinePerChangeThenExits) {
    ToolProcess text(kQlctl, L"watch --count 2"), json(kQlctl, L"watch --json --count 2"),
        status(kQlctl, L"watch --text --count 1");
    ASSERT_TRUE(pending(3)) << "not every watcher issued its request";
    changeSim([](QlSimState& s) { s.connectionState = 5, s.disconnectReason = 35; });
    // The status text is read after the change: the next one waits for it.
    const ToolRun withText = status.finish(60000);
    ASSERT_TRUE(pending(2));
    changeSim([](QlSimState& s) { s.connectionState = 4; });
    ToolRun runs[] = {text.finish(60000), json.finish(60000), withText};
    const char* const patterns[] = {
        QL_TIME " 5 disconnected\n" QL_TIME " 4 server-unreachable\n",
        R"(\{"name":"disconnected","state":5,"time":")" QL_TIME R"("\}\n)"
        R"(\{"name":"server-unreachable","state":4,"time":")" QL_TIME R"("\}\n)",
        QL_TIME " 5 disconnected\n  Vorantis is disconnected\\. Network traffic is not using Vorantis\\.\n"
                "  Last Disconnect Reason: User has logged off\\.\n"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(runs[i].exitCode, 0u) << runs[i].err;
        EXPECT_TRUE(std::regex_match(runs[i].out, std::regex(patterns[i]))) << runs[i].out;
    }
}

TEST_F(Watch, CancelsItsRequestOnCtrlC) {
    ExpectCleanInterrupt(L"watch", [&] { return pending(1); },
                         "qlctl watch: interrupted; the pending request was cancelled\n");
}

class DiagWatch : public DiagServiceTest {
protected:
    bool subscribers(int wanted) {
        return Eventually([&] {
            int count = -1;
            return service().subscribers(count) && count == wanted;
        });
    }
};

TEST_F(DiagWatch, PrintsEachNotificationAsSortedJson) {
    ToolProcess watch(kQlctl, L"diag watch --count 2");
    ASSERT_TRUE(subscribers(1)) << "qlctl diag watch did not subscribe";
    ASSERT_TRUE(service().notify(R"({"type":"state", "collection-state":2})"));
    ASSERT_TRUE(service().notify("[1,\"two\"]"));
    ToolRun run = watch.finish(60000);
    EXPECT_EQ(run.exitCode, 0u) << run.err;
    EXPECT_EQ(run.out, "{\"collection-state\":2,\"type\":\"state\"}\n[1,\"two\"]\n");
    EXPECT_EQ(takeRequests(), std::vector<std::string>{R"({"type":"subscribe"})"});
}

TEST_F(DiagWatch, EndsItsSubscriptionOnCtrlC) {
    ExpectCleanInterrupt(L"diag watch", [&] { return subscribers(1); },
                         "qlctl diag watch: interrupted; the subscription was ended\n");
    EXPECT_TRUE(subscribers(0));
}

// qlctl.exe copied into a folder of its own: alone, or beside a qlclapi.dll
// of an older make that exports only QuorlanGetVersion (0x0C0C0001).
struct LibraryCase {
    const wchar_t* folder;
    const wchar_t* arguments;
    DWORD exitCode;
    const char* out;
    const char* err;  // how standard error begins (a path and the system's words follow "cannot load")
};

const LibraryCase kLibraryCases[] = {
    {L"qlctl_alone", L"state", 3, "", "qlctl: cannot load "},
    {L"qlctl_alone", L"state --bogus", 2, "", "qlctl state: unknown option '--bogus'\n"},
    {L"qlctl_alone", L"format 10.1.2.3 --always-prefix", 0, "10.1.2.3/32\n", ""},
    {L"qlctl_stub", L"state", 3, "", "qlctl: qlclapi.dll does not export QuorlanGetConnectionState (an older library?)\n"},
    {L"qlctl_stub", L"version", 0, "12.12.1 (0x0C0C0001), this library's generation 12.12\n", ""},
};

TEST(Library, MissingLibraryOrExportExitsWithThree) {
    for (const LibraryCase& c : kLibraryCases) {
        const std::wstring copy = BesideThisProgram(c.folder) + L"\\qlctl.exe";
        CreateDirectoryW(BesideThisProgram(c.folder).c_str(), nullptr);
        ASSERT_TRUE(CopyFileW(kQlctl.c_str(), copy.c_str(), FALSE)) << GetLastError();
        ToolRun run = ToolProcess(copy, c.arguments).finish();
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
        EXPECT_EQ(run.out, c.out);
        EXPECT_EQ(run.err.compare(0, strlen(c.err), c.err), 0) << run.err;
        EXPECT_EQ(run.err.empty(), !*c.err) << run.err;
    }
}

}  // namespace
}  // namespace qltest
