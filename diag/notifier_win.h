// The diagnostics notifier: one subscription connection to the diagnostics
// service, held by a worker thread that hands every message to a listener.
#pragma once

#include <windows.h>

#include <atomic>
#include <memory>
#include <string>

#include <nlohmann/json.hpp>

#include "diag/win_thread_win.h"

namespace qlwco {
namespace DiagCmd {

// Deleting the notifier stops its worker and waits for it; it never waits
// for the service's next message.
class INotifier {
public:
    virtual ~INotifier() = default;
};

class IListener {
public:
    // Called on the notifier's worker thread: with each message as parsed
    // JSON, and with the null value once whenever the connection is lost and
    // cannot be made again.
    virtual void OnNotification(const nlohmann::json& message) = 0;

protected:
    ~IListener() = default;
};

class Notifier : public INotifier, private WinThread::Runnable {
public:
    // The listener must outlive the notifier. The worker starts at once.
    Notifier(IListener* listener, const nlohmann::json& subscription);
    ~Notifier() override;
    Notifier(const Notifier&) = delete;
    Notifier& operator=(const Notifier&) = delete;

    // The longest message the service sends; a longer one ends the
    // connection.
    static constexpr DWORD kMessageBytes = 500;
    static constexpr DWORD kRetryMs = 5000;

private:
    void Run() override;
    bool Connect();
    // Waits for an overlapped operation on the pipe or for the stop event;
    // false when the operation failed or the stop came first (the operation
    // is then cancelled and has ended when this returns).
    bool Complete(OVERLAPPED& overlapped, DWORD& bytes);
    void ClosePipe();
    void Deliver(const nlohmann::json& message);

    IListener* listener_;
    std::string subscription_;
    std::shared_ptr<WinThread> thread_;
    // Not an owner: the destructor's thread reads it while the worker opens
    // and closes it.
    std::atomic<HANDLE> pipe_{INVALID_HANDLE_VALUE};
    // Raised by the destructor while it cancels I/O on the pipe, so that the
    // worker cannot close the handle (and let its value be reused) in between.
    std::atomic<bool> cancelling_{false};
    qlclapi::EventHandle ioEvent_;
};

// A new notifier owned by the caller, or null when it cannot be allocated.
INotifier* CreateNotifier(IListener* listener, const nlohmann::json& subscription);
INotifier* CreateNotifier(IListener& listener, const nlohmann::json& subscription);

}  // namespace DiagCmd
}  // namespace qlwco
