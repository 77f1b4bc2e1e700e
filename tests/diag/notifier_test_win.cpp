// The notifier and its worker thread, in process against the simulated
// diagnostics service: what the listener receives while the service is
// absent, present, dropping connections or sending what is not a message;
// how quickly destruction returns in each phase of the worker; and that
// create/destroy cycles leave no thread, handle or memory behind.
#include <gtest/gtest.h>

#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <vector>

#include <nlohmann/json.hpp>

#include "diag/notifier_win.h"
#include "support/diag_service.h"
#include "support/process_usage.h"

namespace qltest {
namespace {

using nlohmann::json;
using qlwco::DiagCmd::CreateNotifier;
using qlwco::DiagCmd::INotifier;

const json kSubscription = {{"type", "subscribe"}};
constexpr char kSubscriptionText[] = R"({"type":"subscribe"})";

// Destruction must never wait for the service. The bound is generous; the
// emulated 32-bit machine runs everything several times slower.
constexpr double kStopBoundMs = sizeof(void*) == 8 ? 1000 : 5000;

class Recorder : public qlwco::DiagCmd::IListener {
public:
    void OnNotification(const json& message) override {
        std::lock_guard<std::mutex> hold(lock_);
        if (closed_) ++callsAfterClose_;
        messages_.push_back(message);
        arrived_.notify_all();
        if (throwNext_) {
            throwNext_ = false;
            throw std::runtime_error("a listener that fails");
        }
    }
    bool waitFor(size_t count, int ms = 5000) {
        std::unique_lock<std::mutex> hold(lock_);
        return arrived_.wait_for(hold, std::chrono::milliseconds(ms), [&] { return messages_.size() >= count; });
    }
    std::vector<json> messages() {
        std::lock_guard<std::mutex> hold(lock_);
        return messages_;
    }
    void throwNext() { throwNext_ = true; }
    // While closed no notifier may call: its destruction has returned.
    void setClosed(bool closed) {
        std::lock_guard<std::mutex> hold(lock_);
        closed_ = closed;
    }
    int callsAfterClose() {
        std::lock_guard<std::mutex> hold(lock_);
        return callsAfterClose_;
    }

private:
    std::mutex lock_;
    std::condition_variable arrived_;
    std::vector<json> messages_;
    bool closed_ = false, throwNext_ = false;
    int callsAfterClose_ = 0;
};

double Milliseconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since).count();
}

template <typename Predicate>
bool WaitUntil(Predicate done, int ms) {
    const auto start = std::chrono::steady_clock::now();
    while (!done()) {
        if (Milliseconds(start) > ms) return false;
        Sleep(10);
    }
    return true;
}

// Destroys the notifier and returns how long that took; the recorder counts
// any call that comes after.
double TimedDestroy(std::unique_ptr<INotifier>& notifier, Recorder& recorder) {
    const auto start = std::chrono::steady_clock::now();
    notifier.reset();
    const double ms = Milliseconds(start);
    recorder.setClosed(true);
    return ms;
}

int SubscriberCount(qlsim::DiagSimControl& service) {
    int count = -1;
    return service.subscribers(count) ? count : -1;
}

size_t ThreadCount() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    size_t count = 0;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        count += entry.th32OwnerProcessID == GetCurrentProcessId();
    CloseHandle(snapshot);
    return count;
}

// Creates and destroys notifiers, some at once and some after a few
// milliseconds (connecting, reading or waiting by then), and checks that
// nothing stays behind. Returns the longest destruction.
double CycleWithoutTrace(int cycles) {
    Recorder recorder;
    auto cycle = [&](int i) {
        recorder.setClosed(false);
        std::unique_ptr<INotifier> notifier(CreateNotifier(recorder, kSubscription));
        if (i % 4) Sleep(i % 7);
        return TimedDestroy(notifier, recorder);
    };
    for (int i = 0; i < 8; ++i) cycle(i);  // what the platform allocates once
    Sleep(200);
    const size_t threads = ThreadCount();
    const uintptr_t handle = NextHandleValue();
    const ProcessUsage before = MeasureProcessUsage();
    double longest = 0;
    for (int i = 0; i < cycles; ++i) longest = std::max(longest, cycle(i));
    WaitUntil([&] { return ThreadCount() <= threads; }, 2000);
    EXPECT_EQ(ThreadCount(), threads) << "worker threads left running";
    EXPECT_EQ(NextHandleValue(), handle) << "handles left open";
    const ProcessUsage after = MeasureProcessUsage();
    EXPECT_LE(after.heapBlocks, before.heapBlocks + 16) << after.heapBytes - before.heapBytes << " heap bytes more";
    EXPECT_EQ(recorder.callsAfterClose(), 0);
    return longest;
}

using NotifierWithoutService = DiagServiceAbsentTest;
using Notifier = DiagServiceTest;

TEST_F(NotifierWithoutService, ReportsTheLossOnceAndSubscribesWhenTheServiceComes) {
    Recorder recorder;
    std::unique_ptr<INotifier> notifier(CreateNotifier(recorder, kSubscription));
    ASSERT_TRUE(recorder.waitFor(1));
    EXPECT_TRUE(recorder.messages()[0].is_null());
    Sleep(5500);  // past one retry
    EXPECT_EQ(recorder.messages().size(), 1u) << "the loss is reported once, however long it lasts";

    ASSERT_EQ(qlsim::StartDiagService(), DWORD(ERROR_SUCCESS));
    qlsim::DiagSimControl service;
    const auto started = std::chrono::steady_clock::now();
    // The next retry comes within five seconds; the wait allows for the
    // emulated machine's slow connects, and the bound below judges it.
    ASSERT_TRUE(WaitUntil([&] { return SubscriberCount(service) == 1; }, 5000 + 2 * kStopBoundMs));
    printf("subscribed %.0f ms after the service started\n", Milliseconds(started));
    EXPECT_LE(Milliseconds(started), 5000 + kStopBoundMs);
    std::vector<std::string> log;
    ASSERT_TRUE(service.log(log));
    EXPECT_EQ(log, std::vector<std::string>{kSubscriptionText});

    for (const char* message : {R"({"n":1})", "[2,3]", R"("four")", "null"}) ASSERT_TRUE(service.notify(message));
    ASSERT_TRUE(recorder.waitFor(5));
    EXPECT_EQ(recorder.messages(), (std::vector<json>{nullptr, {{"n", 1}}, {2, 3}, "four", nullptr}));
    EXPECT_LT(TimedDestroy(notifier, recorder), kStopBoundMs);
}

// Destroyed at once or a few milliseconds in: connecting, or in its retry
// wait by then.
TEST_F(NotifierWithoutService, CyclesLeaveNothingBehind) {
    const double longest = CycleWithoutTrace(200);
    printf("200 cycles without a service: longest destruction %.1f ms\n", longest);
    EXPECT_LT(longest, kStopBoundMs);
}

TEST_F(Notifier, ReconnectsAtOnceAndDropsWhatIsNotAMessage) {
    Recorder recorder;
    std::unique_ptr<INotifier> notifier(CreateNotifier(recorder, kSubscription));
    ASSERT_TRUE(WaitUntil([&] { return SubscriberCount(service()) == 1; }, 5000));
    EXPECT_EQ(takeRequests(), std::vector<std::string>{kSubscriptionText});
    const uint64_t connected = connections();

    // Not JSON, and a listener that throws: dropped, the connection stays.
    recorder.throwNext();
    ASSERT_TRUE(service().notify(R"({"a":1})"));
    ASSERT_TRUE(service().notify("{not json"));
    ASSERT_TRUE(service().notify(std::string(200, '[') + std::string(200, ']')));
    ASSERT_TRUE(service().notify(R"({"b":2})"));
    ASSERT_TRUE(recorder.waitFor(2));
    EXPECT_EQ(connections(), connected);

    // 501 bytes end the connection, 500 arrive; a dropped connection is made
    // again at once, without a loss reported in between.
    ASSERT_TRUE(service().notifySized(501));
    ASSERT_TRUE(WaitUntil([&] { return connections() == connected + 1; }, 2000));
    ASSERT_TRUE(WaitUntil([&] { return SubscriberCount(service()) == 1; }, 2000));
    ASSERT_TRUE(service().notifySized(500));
    ASSERT_TRUE(recorder.waitFor(3));
    EXPECT_EQ(recorder.messages()[2].dump().size(), 500u);
    ASSERT_TRUE(service().dropSubscribers());
    ASSERT_TRUE(WaitUntil([&] { return connections() == connected + 2; }, 2000));
    ASSERT_TRUE(WaitUntil([&] { return SubscriberCount(service()) == 1; }, 2000));
    ASSERT_TRUE(service().notify(R"({"c":3})"));
    ASSERT_TRUE(recorder.waitFor(4));

    const std::vector<json> messages = recorder.messages();
    EXPECT_EQ(messages[0], json({{"a", 1}}));
    EXPECT_EQ(messages[1], json({{"b", 2}}));
    EXPECT_EQ(messages[3], json({{"c", 3}}));
    EXPECT_EQ(messages.size(), 4u) << "no loss is reported when the connection is made again at once";
    EXPECT_EQ(takeRequests(), std::vector<std::string>(2, kSubscriptionText));
    Sleep(50);  // blocked in its read by now
    EXPECT_LT(TimedDestroy(notifier, recorder), kStopBoundMs);
}

// Destroyed at once or a few milliseconds in: connecting, or racing its
// first read by then. (Destroyed while blocked in a read: the test above.)
TEST_F(Notifier, CyclesLeaveNothingBehind) {
    const double longest = CycleWithoutTrace(200);
    printf("200 cycles with the service: longest destruction %.1f ms\n", longest);
    EXPECT_LT(longest, kStopBoundMs);
}

// A runnable that holds its thread until released, and stops itself then:
// a stop from the worker's own thread must not wait for itself. (StartThread,
// the notifier's way to start its worker: the notifier tests.)
struct HeldRunnable : WinThread::Runnable {
    HANDLE release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    WinThread* self = nullptr;
    void Run() override {
        WaitForSingleObject(release, INFINITE);
        if (self) self->Stop(INFINITE);
    }
    ~HeldRunnable() { CloseHandle(release); }
};

TEST(WinThread, MovesThroughItsStatesAndStartsOnlyOnce) {
    HeldRunnable runnable;
    WinThread thread(&runnable);
    runnable.self = &thread;
    EXPECT_EQ(thread.state(), WinThread::kCreated);
    EXPECT_FALSE(thread.IsRunning());
    thread.RequestStop();
    EXPECT_TRUE(thread.stopRequested());
    EXPECT_EQ(WaitForSingleObject(thread.stopEvent(), 0), DWORD(WAIT_OBJECT_0));

    ASSERT_TRUE(thread.Start());
    EXPECT_FALSE(thread.stopRequested()) << "a start clears the stop request";
    EXPECT_TRUE(thread.IsRunning());
    ASSERT_TRUE(WaitUntil([&] { return thread.state() == WinThread::kRunning; }, 2000));
    EXPECT_FALSE(thread.Start());
    SetEvent(runnable.release);
    ASSERT_TRUE(WaitUntil([&] { return thread.state() == WinThread::kFinished; }, 2000));
    EXPECT_FALSE(thread.IsRunning());
    EXPECT_FALSE(thread.Start()) << "a finished thread is not started again";
    thread.Stop(INFINITE);  // nothing to wait for

    WinThread without(nullptr);
    EXPECT_FALSE(without.Start());
    EXPECT_EQ(without.state(), WinThread::kCreated);
}

}  // namespace
}  // namespace qltest
