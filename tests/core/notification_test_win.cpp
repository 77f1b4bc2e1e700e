// State-change notification on the overlapped handle, its cancellation, and
// the client's named state-change event. (Without a driver, and the VB twin
// that does nothing: driver_absent_test_win.cpp; with a driver of another
// version: lifecycle_test_win.cpp.)
#include <gtest/gtest.h>

#include "qlclapi.h"
#include "support/simulated_client.h"

namespace qltest {
namespace {

// A caller's overlapped structure with its own manual-reset event.
struct PendingWait {
    OVERLAPPED overlapped{};
    PendingWait() { overlapped.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr); }
    ~PendingWait() { CloseHandle(overlapped.hEvent); }
    struct _OVERLAPPED* get() { return reinterpret_cast<struct _OVERLAPPED*>(&overlapped); }
    bool signalledWithin(DWORD milliseconds) { return WaitForSingleObject(overlapped.hEvent, milliseconds) == 0; }
    // The request's final status as the caller sees it.
    DWORD finalError() {
        DWORD bytes = 0;
        return GetOverlappedResult(nullptr, &overlapped, &bytes, TRUE) ? ERROR_SUCCESS : GetLastError();
    }
};

class Notification : public SimulatedClientTest {
protected:
    void SetUp() override {
        SimulatedClientTest::SetUp();
        library_ = loadLibrary();
        notify_ = QL_FIND(*library_, QuorlanNotifyStateChange);
        cancel_ = QL_FIND(*library_, QuorlanCancelNotifyStateChange);
        ASSERT_NE(notify_, nullptr);
        ASSERT_NE(cancel_, nullptr);
    }
    uint32_t pending() {
        uint32_t count = 0;
        EXPECT_TRUE(sim().pendingCount(count));
        return count;
    }

    std::unique_ptr<Library> library_;
    PFN_QuorlanNotifyStateChange notify_ = nullptr;
    PFN_QuorlanCancelNotifyStateChange cancel_ = nullptr;
};

TEST_F(Notification, CompletesWhenTheStateChanges) {
    PendingWait wait;
    ASSERT_EQ(notify_(wait.get()), 1u);
    std::vector<SeenEvent> seen = takeJournal();
    ASSERT_EQ(RequestLines(seen), std::vector<std::string>{"0x222588 overlapped"});
    EXPECT_EQ(seen[0].inLength, 0u);
    EXPECT_EQ(seen[0].outLength, 0u);
    EXPECT_FALSE(wait.signalledWithin(100)) << "completed before anything changed";
    EXPECT_EQ(pending(), 1u);
    changeSim([](QlSimState& s) { s.connectionState = 2; });
    EXPECT_TRUE(wait.signalledWithin(5000));
    EXPECT_EQ(wait.finalError(), DWORD(ERROR_SUCCESS));
    EXPECT_EQ(pending(), 0u);
}

TEST_F(Notification, CancelEndsOnlyTheCallersRequest) {
    PendingWait cancelled, kept;
    ASSERT_EQ(notify_(cancelled.get()), 1u);
    ASSERT_EQ(notify_(kept.get()), 1u);
    EXPECT_EQ(cancel_(cancelled.get()), 1u);
    EXPECT_TRUE(cancelled.signalledWithin(5000));
    EXPECT_EQ(cancelled.finalError(), DWORD(ERROR_OPERATION_ABORTED));
    EXPECT_FALSE(kept.signalledWithin(100));
    EXPECT_EQ(pending(), 1u);
    EXPECT_EQ(cancel_(kept.get()), 1u);
    EXPECT_EQ(kept.finalError(), DWORD(ERROR_OPERATION_ABORTED));
}

TEST_F(Notification, CancelWithNothingPendingReturnsZero) {
    PendingWait wait;
    EXPECT_EQ(cancel_(wait.get()), 0u);
    EXPECT_EQ(cancel_(nullptr), 0u) << "null must not cancel every request on the handle";
    EXPECT_EQ(notify_(nullptr), 0u);
    EXPECT_TRUE(takeJournal().empty());
}

// ---- The named state-change event -------------------------------------
// (That every name of the call opens it: driver_absent_test_win.cpp.)

TEST(StateChangeEvent, OpensTheClientsEventForWaitingOnly) {
    Library library;
    QL_EXPORT(library, QuorlanGetStateChangeNotificationEventHandle);
    SetLastError(0);
    EXPECT_EQ(QuorlanGetStateChangeNotificationEventHandle(), nullptr) << "no client has created the event yet";
    EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND));

    HANDLE created = CreateEventW(nullptr, TRUE, FALSE, L"Global\\QuorlanNotifyEvent");
    ASSERT_NE(created, nullptr);
    HANDLE opened = static_cast<HANDLE>(QuorlanGetStateChangeNotificationEventHandle());
    ASSERT_NE(opened, nullptr);
    EXPECT_FALSE(SetEvent(opened)) << "opened with more than SYNCHRONIZE";
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ACCESS_DENIED));
    DWORD flags = 0;
    ASSERT_TRUE(GetHandleInformation(opened, &flags));
    EXPECT_EQ(flags & HANDLE_FLAG_INHERIT, 0u);
    CloseHandle(opened);
    CloseHandle(created);
}

}  // namespace
}  // namespace qltest
