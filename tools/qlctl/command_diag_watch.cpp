// diag watch: one JSON line per message of the diagnostics service's
// notification stream, through the library's own notifier, until Ctrl+C or
// --count messages.
#include "diag_watch.h"
#include "command.h"

#include <windows.h>

#include <deque>
#include <memory>
#include <mutex>
#include <string>

#include <nlohmann/json.hpp>

#include "diag/json_text.h"
#include "diag/notifier_win.h"
#include "output.h"

namespace qlctl {

namespace {

// The service's subscription request.
const char kSubscription[] = R"({"type":"subscribe"})";

HANDLE gInterrupted = nullptr;

BOOL WINAPI StopOnInterrupt(DWORD type) {
    if (type != CTRL_C_EVENT && type != CTRL_BREAK_EVENT) return FALSE;
    SetEvent(gInterrupted);
    return TRUE;
}

// The notifier calls on its own thread; lines are written by the main
// thread, so that nothing is written once the notifier is gone.
class LineQueue : public qlwco::DiagCmd::IListener {
public:
    explicit LineQueue(HANDLE arrived) : arrived_(arrived) {}
    // The null value is the notifier's word for "no connection".
    void OnNotification(const nlohmann::json& message) override {
        Line line{message.is_null(), message.is_null() ? "" : qlclapi::SerializeCompact(message)};
        std::lock_guard<std::mutex> hold(lock_);
        lines_.push_back(std::move(line));
        SetEvent(arrived_);
    }
    struct Line {
        bool lost;
        std::string text;
    };
    std::deque<Line> take() {
        std::lock_guard<std::mutex> hold(lock_);
        std::deque<Line> taken;
        taken.swap(lines_);
        return taken;
    }

private:
    HANDLE arrived_;
    std::mutex lock_;
    std::deque<Line> lines_;
};

struct Events {
    HANDLE arrived = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    HANDLE interrupted = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ~Events() {
        if (arrived) CloseHandle(arrived);
        if (interrupted) CloseHandle(interrupted);
    }
};

}  // namespace

int RunDiagWatch(const Words& words) {
    Arguments arguments;
    std::string problem;
    if (!arguments.parse(words, {{L"--count", true}}, problem)) return UsageError(kDiagCommand, problem);
    if (!arguments.positionals().empty()) return UsageError(kDiagCommand, "diag watch takes no arguments");
    uint32_t count = 0;
    if (const std::wstring* text = arguments.value(L"--count"))
        if (!ParseCount(*text, count)) return UsageError(kDiagCommand, "--count needs a whole number from 1");

    Events events;
    if (!events.arrived || !events.interrupted) return Fail(kDiagCommand, kExitSystem, "cannot create an event");
    // Ready for Ctrl+C before the service can see the subscription.
    gInterrupted = events.interrupted;
    SetConsoleCtrlHandler(StopOnInterrupt, TRUE);
    LineQueue queue(events.arrived);
    std::unique_ptr<qlwco::DiagCmd::INotifier> notifier(
        qlwco::DiagCmd::CreateNotifier(queue, nlohmann::json::parse(kSubscription)));
    if (!notifier) {
        SetConsoleCtrlHandler(StopOnInterrupt, FALSE);
        return Fail(kDiagCommand, kExitSystem, "out of memory");
    }
    int exitCode = kExitOk;
    uint32_t printed = 0;
    bool interrupted = false;
    HANDLE waits[2] = {events.interrupted, events.arrived};
    while (exitCode == kExitOk && (count == 0 || printed < count)) {
        if (WaitForMultipleObjects(2, waits, FALSE, INFINITE) != WAIT_OBJECT_0 + 1) {
            interrupted = true;
            break;
        }
        for (const LineQueue::Line& line : queue.take()) {
            if (count && printed == count) break;
            if (line.lost) {
                WriteErr("qlctl diag watch: the diagnostics service is not running; waiting for it\n");
                continue;
            }
            exitCode = PrintLine(kDiagCommand, line.text);
            ++printed;
        }
    }
    // Destroying the notifier ends its connection at once, whatever the
    // service is doing.
    notifier.reset();
    SetConsoleCtrlHandler(StopOnInterrupt, FALSE);
    if (interrupted) WriteErr("qlctl diag watch: interrupted; the subscription was ended\n");
    return exitCode;
}

}  // namespace qlctl
