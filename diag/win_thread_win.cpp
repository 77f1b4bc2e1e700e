#include "diag/win_thread_win.h"

#include <new>

WinThread::WinThread(Runnable* runnable)
    : runnable_(runnable), stopEvent_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}

WinThread::~WinThread() {
    Stop(INFINITE);
    // A worker that has just set "finished" is still running its last
    // instructions in this module: let it leave before the caller may unload
    // the library. The handles close with their owners.
    if (thread_ && GetCurrentThreadId() != threadId_) WaitForSingleObject(thread_.get(), INFINITE);
}

bool WinThread::Start() {
    if (state_.load() == kRunning || thread_ || !runnable_) return false;
    state_.store(kStarting);
    stopRequested_.store(false);
    thread_.reset(CreateThread(nullptr, 0, ThreadProcedure, this, 0, &threadId_));
    if (!thread_) {
        state_.store(kNotStarted);
        return false;
    }
    return true;
}

void WinThread::RequestStop() {
    stopRequested_.store(true);
    if (stopEvent_) SetEvent(stopEvent_.get());
}

void WinThread::Stop(DWORD timeoutMs) {
    RequestStop();
    int32_t state = state_.load();
    if ((state != kStarting && state != kRunning) || !thread_) return;
    // Waiting for ourselves would never end.
    if (GetCurrentThreadId() == threadId_) return;
    WaitForSingleObject(thread_.get(), timeoutMs);
}

bool WinThread::IsRunning() const {
    int32_t state = state_.load();
    return (state == kStarting || state == kRunning) && thread_.valid();
}

DWORD WINAPI WinThread::ThreadProcedure(void* self) {
    WinThread* thread = static_cast<WinThread*>(self);
    thread->state_.store(kRunning);
    thread->runnable_->Run();
    thread->state_.store(kFinished);
    return 0;
}

bool StartThread(WinThread::Runnable* runnable, std::shared_ptr<WinThread>& holder) {
    holder.reset();
    try {
        holder = std::make_shared<WinThread>(runnable);
    } catch (const std::bad_alloc&) {
        return false;
    }
    if (holder->Start()) return true;
    holder.reset();
    return false;
}
