// A worker thread that runs one Runnable. The library's only thread: the
// diagnostics notifier runs on it. Stopping is cooperative: a stop request
// sets a flag and signals an event that the runnable waits on.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <memory>

#include "core/win_resource_win.h"

class WinThread {
public:
    class Runnable {
    public:
        virtual void Run() = 0;

    protected:
        ~Runnable() = default;
    };

    enum State : int32_t { kCreated = 0, kStarting = 1, kRunning = 2, kFinished = 3, kNotStarted = 4 };

    explicit WinThread(Runnable* runnable);
    // Stops the worker, waits for it without a time limit and closes the
    // handles.
    virtual ~WinThread();
    WinThread(const WinThread&) = delete;
    WinThread& operator=(const WinThread&) = delete;

    // False while running, once a thread was created (a finished thread is
    // not started again), or without a runnable; a failed start may be
    // retried.
    bool Start();
    // Requests the stop, then waits up to timeoutMs for the worker to end
    // (INFINITE: until it ends). Never waits on the worker's own thread.
    void Stop(DWORD timeoutMs);
    // Sets the stop flag and signals the stop event; does not wait.
    void RequestStop();
    bool IsRunning() const;

    State state() const { return static_cast<State>(state_.load()); }
    bool stopRequested() const { return stopRequested_.load(); }
    // Auto-reset: a wait on it consumes the signal, so the runnable checks
    // stopRequested() after every wait as well.
    HANDLE stopEvent() const { return stopEvent_.get(); }

private:
    static DWORD WINAPI ThreadProcedure(void* self);

    std::atomic<int32_t> state_{kCreated};
    qlclapi::ThreadHandle thread_;
    DWORD threadId_ = 0;
    Runnable* runnable_;
    std::atomic<bool> stopRequested_{false};
    qlclapi::EventHandle stopEvent_;
};

// Creates a WinThread for runnable in holder (its object and reference counts
// in one allocation) before the thread exists, so the worker always finds it
// there, and starts it. On failure holder is left empty. True when the
// worker thread was created.
bool StartThread(WinThread::Runnable* runnable, std::shared_ptr<WinThread>& holder);
