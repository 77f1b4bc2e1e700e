// watch: one line per change of the connection state, until Ctrl+C or
// --count changes.
#include <windows.h>

#include <cstdio>
#include <memory>

#include "client_library.h"
#include "client_values.h"
#include "command.h"
#include "status_texts.h"

namespace qlctl {

namespace {

// Set by Ctrl+C or Ctrl+Break, so that the main thread cancels its pending
// request instead of the process dying with the request in flight.
HANDLE gStop = nullptr;

BOOL WINAPI StopOnInterrupt(DWORD type) {
    if (type != CTRL_C_EVENT && type != CTRL_BREAK_EVENT) return FALSE;
    SetEvent(gStop);
    return TRUE;
}

class Handle {
public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle() {
        if (handle_) CloseHandle(handle_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE get() const { return handle_; }
    void abandon() { handle_ = nullptr; }

private:
    HANDLE handle_;
};

std::string UtcNow() {
    SYSTEMTIME t;
    GetSystemTime(&t);
    char text[40];
    snprintf(text, sizeof text, "%04u-%02u-%02uT%02u:%02u:%02u.%03uZ", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute,
             t.wSecond, t.wMilliseconds);
    return text;
}

// With the status text, when one is given: in JSON as it stands, as text on
// the lines that follow, each indented by two spaces.
std::string ChangeLine(int32_t state, bool json, const std::string* statusText) {
    std::string time = UtcNow();
    if (json) {
        JsonObject line;
        line.addString("name", StateName(state)).addNumber("state", state).addString("time", time);
        if (statusText) line.addString("text", *statusText);
        return line.text();
    }
    std::string line = time + " " + std::to_string(state) + " " + StateName(state);
    if (statusText) {
        std::string text = WithNewlines(*statusText);
        for (size_t start = 0; start <= text.size();) {
            size_t end = text.find('\n', start);
            if (end == std::string::npos) end = text.size();
            line += "\n  " + text.substr(start, end - start);
            start = end + 1;
        }
    }
    return line;
}

struct Watcher {
    PFN_QuorlanNotifyStateChange notify;
    PFN_QuorlanCancelNotifyStateChange cancel;
    PFN_QuorlanGetConnectionState getState;
    bool json;
    ClientLibrary* withText;  // the library to ask for the status text, or null
    uint32_t count;  // 0: until interrupted
    bool abandoned;  // a request may still complete into the structure and event

    int run(HANDLE changed) {
        // On the heap: if the client never ends a cancelled request, the
        // structure (and the event) must outlive this function.
        auto overlapped = std::make_unique<OVERLAPPED>();
        auto* request = reinterpret_cast<struct _OVERLAPPED*>(overlapped.get());
        for (uint32_t seen = 0; count == 0 || seen < count; ++seen) {
            *overlapped = OVERLAPPED{};
            overlapped->hEvent = changed;
            ResetEvent(changed);
            if (!notify(request))
                return Fail(kWatchCommand, kExitRefused,
                            "state-change notification is not available (no client driver, or a driver of "
                            "another version)");
            HANDLE waits[] = {changed, gStop};
            DWORD woken = WaitForMultipleObjects(2, waits, FALSE, INFINITE);
            if (woken != WAIT_OBJECT_0) {
                cancel(request);
                if (WaitForSingleObject(changed, 5000) != WAIT_OBJECT_0) {
                    overlapped.release();
                    abandoned = true;
                    return Fail(kWatchCommand, kExitRefused, "the client did not end the pending request");
                }
                // Interrupted: a clean end, said on standard error so that the
                // output holds only changes.
                if (woken == WAIT_OBJECT_0 + 1)
                    return Fail(kWatchCommand, kExitOk, "interrupted; the pending request was cancelled");
                return Fail(kWatchCommand, kExitSystem, "cannot wait for the state change");
            }
            // A request the client failed (or a cancellation by someone
            // else) is no state change; watching on would spin on it.
            auto status = static_cast<LONG>(overlapped->Internal);
            if (status < 0) {
                char text[16];
                snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(status));
                return Fail(kWatchCommand, kExitRefused,
                            std::string("the client ended the request with status ") + text +
                                " (did its driver stop?)");
            }
            const int32_t state = getState();
            std::string text;
            if (withText && !ConnectionStatusText(*withText, text)) return kExitLibrary;
            int printed = PrintLine(kWatchCommand, ChangeLine(state, json, withText ? &text : nullptr));
            if (printed != kExitOk) return printed;
        }
        return kExitOk;
    }
};

int RunWatch(const Words& words, ClientLibrary& library) {
    Arguments arguments;
    std::string problem;
    if (!arguments.parse(words, {{L"--json", false}, {L"--text", false}, {L"--count", true}}, problem))
        return UsageError(kWatchCommand, problem);
    if (!arguments.positionals().empty()) return UsageError(kWatchCommand, "takes no arguments");
    Watcher watcher{};
    watcher.json = arguments.has(L"--json");
    if (arguments.has(L"--text")) watcher.withText = &library;
    if (const std::wstring* count = arguments.value(L"--count"))
        if (!ParseCount(*count, watcher.count)) return UsageError(kWatchCommand, "--count needs a whole number from 1");

    watcher.notify = QLCTL_EXPORT(library, QuorlanNotifyStateChange);
    watcher.cancel = QLCTL_EXPORT(library, QuorlanCancelNotifyStateChange);
    watcher.getState = QLCTL_EXPORT(library, QuorlanGetConnectionState);
    if (!watcher.notify || !watcher.cancel || !watcher.getState) return kExitLibrary;
    if (watcher.withText && !QLCTL_EXPORT(library, QuorlanGetConnectionStateString)) return kExitLibrary;

    Handle changed(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    Handle stop(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!changed.get() || !stop.get()) return Fail(kWatchCommand, kExitSystem, "cannot create an event");
    gStop = stop.get();
    SetConsoleCtrlHandler(StopOnInterrupt, TRUE);
    int exitCode = watcher.run(changed.get());
    SetConsoleCtrlHandler(StopOnInterrupt, FALSE);
    if (watcher.abandoned) changed.abandon();
    return exitCode;
}

}  // namespace

const Command kWatchCommand = {
    L"watch", "print each change of the connection state", "watch [--json] [--text] [--count N]",
    "  Waits for the client to report a change of its connection state and prints\n"
    "  one line for each: the time (UTC), the new state number and its name. Runs\n"
    "  until Ctrl+C (which cancels the pending request; exit code 0) or, with\n"
    "  --count, until N changes were printed.\n"
    "  Exit code 1 when notification is not available (no client driver, or a\n"
    "  driver of another version).\n"
    "  --text   also the status text after each change, on the lines that follow,\n"
    "           indented by two spaces (with --json: a \"text\" member)\n"
    "  --json   one object per line: {\"name\":\"connected\",\"state\":3,\"time\":\"2025-01-31T09:15:02.250Z\"}\n",
    RunWatch};

}  // namespace qlctl
