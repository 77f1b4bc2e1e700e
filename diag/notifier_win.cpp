#include "diag/notifier_win.h"

#include <new>

#include "diag/diag_pipe.h"
#include "diag/json_text.h"

namespace qlwco {
namespace DiagCmd {

namespace {

std::string SerialiseOnce(const nlohmann::json& subscription) {
    try {
        return qlclapi::SerializeCompact(subscription);
    } catch (const std::exception&) {
        return std::string();
    }
}

}  // namespace

Notifier::Notifier(IListener* listener, const nlohmann::json& subscription)
    : listener_(listener), subscription_(SerialiseOnce(subscription)),
      ioEvent_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    // Without an event for the reads the worker could not be stopped while
    // it waits for the service: stay inert instead.
    if (ioEvent_) StartThread(this, thread_);
}

Notifier::~Notifier() {
    if (thread_) {
        thread_->Stop(0);
        // The worker waits on the stop event as well as on its read, so this
        // only hurries a read already pending.
        cancelling_.store(true);
        HANDLE pipe = pipe_.load();
        if (pipe != INVALID_HANDLE_VALUE) CancelIoEx(pipe, nullptr);
        cancelling_.store(false);
        thread_->Stop(INFINITE);
        thread_.reset();
    }
}

void Notifier::ClosePipe() {
    HANDLE pipe = pipe_.exchange(INVALID_HANDLE_VALUE);
    if (pipe == INVALID_HANDLE_VALUE) return;
    while (cancelling_.load()) Sleep(0);
    CloseHandle(pipe);
}

bool Notifier::Complete(OVERLAPPED& overlapped, DWORD& bytes) {
    HANDLE pipe = pipe_.load();
    HANDLE events[2] = {overlapped.hEvent, thread_->stopEvent()};
    DWORD woke = WaitForMultipleObjects(2, events, FALSE, INFINITE);
    if (woke != WAIT_OBJECT_0) CancelIoEx(pipe, &overlapped);
    // Waits until the operation has really ended: the buffer and the
    // overlapped record live on this thread's stack.
    BOOL ok = GetOverlappedResult(pipe, &overlapped, &bytes, TRUE);
    return woke == WAIT_OBJECT_0 && ok;
}

bool Notifier::Connect() {
    HANDLE pipe = CreateFileW(qlclapi::kDiagPipeName, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_FLAG_OVERLAPPED, nullptr);
    if (pipe == INVALID_HANDLE_VALUE) return false;
    DWORD mode = PIPE_READMODE_MESSAGE;
    if (!SetNamedPipeHandleState(pipe, &mode, nullptr, nullptr)) {
        CloseHandle(pipe);
        return false;
    }
    pipe_.store(pipe);
    OVERLAPPED overlapped = {};
    overlapped.hEvent = ioEvent_.get();
    ResetEvent(ioEvent_.get());
    DWORD written = 0;
    // Whether the service took the subscription shows in what it sends.
    if (WriteFile(pipe, subscription_.data(), static_cast<DWORD>(subscription_.size()), nullptr, &overlapped) ||
        GetLastError() == ERROR_IO_PENDING)
        Complete(overlapped, written);
    return true;
}

void Notifier::Run() {
    bool lossReported = false;
    char message[kMessageBytes];
    for (;;) {
        if (thread_->stopRequested()) {
            ClosePipe();
            return;
        }
        if (pipe_.load() == INVALID_HANDLE_VALUE) {
            if (!Connect()) {
                if (!lossReported) {
                    lossReported = true;
                    Deliver(nlohmann::json());
                }
                WaitForSingleObject(thread_->stopEvent(), kRetryMs);
            }
            // A stop that came while connecting may have been taken from the
            // event already: look at the flag again before reading.
            continue;
        }
        lossReported = false;
        OVERLAPPED overlapped = {};
        overlapped.hEvent = ioEvent_.get();
        ResetEvent(ioEvent_.get());
        DWORD bytes = 0;
        bool read = (ReadFile(pipe_.load(), message, sizeof message, nullptr, &overlapped) ||
                     GetLastError() == ERROR_IO_PENDING) &&
                    Complete(overlapped, bytes);
        // Closed by the service, longer than a message may be, or stopped:
        // reconnect at once (or end, at the top of the loop).
        if (!read) {
            ClosePipe();
            continue;
        }
        // Not JSON, or nested deeper than the library parses: the message is
        // dropped, the connection stays.
        if (!qlclapi::NestingWithin(message, bytes, qlclapi::kMaxJsonNesting)) continue;
        nlohmann::json parsed;
        try {
            parsed = nlohmann::json::parse(message, message + bytes);
        } catch (const std::exception&) {
            continue;
        }
        Deliver(parsed);
    }
}

void Notifier::Deliver(const nlohmann::json& message) {
    try {
        listener_->OnNotification(message);
    } catch (...) {
        // Whatever a listener throws is dropped: escaping the worker would
        // end the host process.
    }
}

INotifier* CreateNotifier(IListener* listener, const nlohmann::json& subscription) {
    return new (std::nothrow) Notifier(listener, subscription);
}

INotifier* CreateNotifier(IListener& listener, const nlohmann::json& subscription) {
    return CreateNotifier(&listener, subscription);
}

}  // namespace DiagCmd
}  // namespace qlwco
