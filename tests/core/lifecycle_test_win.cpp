// Loading and unloading the library: the two handles, the version request
// and the mismatch rule. (Without a driver: driver_absent_test_win.cpp.)
#include <gtest/gtest.h>

#include <algorithm>

#include "qlclapi.h"
#include "support/simulated_client.h"

namespace qltest {
namespace {

// The mismatch flag is not exported; the notification request is the one
// call it switches off, so it tells whether the flag is set.
bool LibrarySeesMismatch(Library& library) {
    PFN_QuorlanNotifyStateChange notify = QL_FIND(library, QuorlanNotifyStateChange);
    PFN_QuorlanCancelNotifyStateChange cancel =
        QL_FIND(library, QuorlanCancelNotifyStateChange);
    OVERLAPPED overlapped{};
    overlapped.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    bool issued = notify(reinterpret_cast<struct _OVERLAPPED*>(&overlapped)) == 1;
    if (issued) {
        cancel(reinterpret_cast<struct _OVERLAPPED*>(&overlapped));
        DWORD bytes;
        GetOverlappedResult(nullptr, &overlapped, &bytes, TRUE);
    }
    CloseHandle(overlapped.hEvent);
    return !issued;
}

struct VersionCase {
    const char* name;
    uint32_t driverVersion;
    bool refuseVersionRequest;
    uint32_t reported;
    bool mismatch;
};

const VersionCase kVersionCases[] = {
    {"SameGeneration", 0x0C0C422F, false, 0x0C0C422F, false},
    {"BuildNumber65535", 0x0C0CFFFF, false, 0x0C0CFFFF, false},
    {"OlderMinor", 0x0C0B422F, false, 0x0C0B422F, true},
    {"NewerMajor", 0x0D0C422F, false, 0x0D0C422F, true},
    {"VersionRequestRefused", 0x0C0C422F, true, 0, true},
};

class VersionRule : public SimulatedClientTest, public testing::WithParamInterface<VersionCase> {};

TEST_P(VersionRule, ReportsTheDriversWordAndComparesOnlyTheHighHalf) {
    const VersionCase& c = GetParam();
    changeSim([&](QlSimState& s) { s.version = c.driverVersion; });
    if (c.refuseVersionRequest) refuse(0x222403);
    auto library = loadLibrary();
    QL_EXPORT(*library, QuorlanGetVersion);
    QL_EXPORT(*library, QuorlanGetVersionVB);
    EXPECT_EQ(QuorlanGetVersion(), c.reported);
    EXPECT_EQ(QuorlanGetVersionVB(), c.reported);
    EXPECT_EQ(LibrarySeesMismatch(*library), c.mismatch);
}

INSTANTIATE_TEST_SUITE_P(Driver, VersionRule, testing::ValuesIn(kVersionCases),
                         [](const testing::TestParamInfo<VersionCase>& info) { return info.param.name; });

using Lifecycle = SimulatedClientTest;

TEST_F(Lifecycle, AttachOpensTwoHandlesAndAsksOnlyTheVersion) {
    takeJournal();
    Library library;
    ASSERT_TRUE(library.loaded());
    std::vector<SeenEvent> events = takeJournal();
    EXPECT_EQ(Lines(events), (std::vector<std::string>{"open sync", "open overlapped", "0x222403 sync"}));
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[2].handleId, events[0].handleId) << "the version must be asked on the synchronous handle";
    EXPECT_EQ(events[2].inLength, 0u);
    EXPECT_EQ(events[2].outLength, 4u);
}

TEST_F(Lifecycle, DetachClosesBothHandlesAndSendsNothing) {
    auto library = loadLibrary();
    library->unload();
    std::vector<SeenEvent> events = takeJournalOnceItHolds(2);
    std::vector<std::string> lines = Lines(events);
    std::sort(lines.begin(), lines.end());
    EXPECT_EQ(lines, (std::vector<std::string>{"close overlapped", "close sync"}));
}

DWORD WINAPI ReturnAtOnce(void*) { return 0; }

TEST_F(Lifecycle, ThreadAttachAndDetachChangeNothing) {
    auto library = loadLibrary();
    QL_EXPORT(*library, QuorlanGetVersion);
    const uint32_t before = QuorlanGetVersion();
    HANDLE threads[4];
    for (HANDLE& thread : threads)
        thread = CreateThread(nullptr, 0, ReturnAtOnce, nullptr, 0, nullptr);
    WaitForMultipleObjects(4, threads, TRUE, INFINITE);
    for (HANDLE thread : threads) CloseHandle(thread);
    EXPECT_EQ(QuorlanGetVersion(), before);
    EXPECT_TRUE(takeJournal().empty()) << "thread notifications must not reach the driver";
}

}  // namespace
}  // namespace qltest
