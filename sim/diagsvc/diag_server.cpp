#include "diag_server.h"

#include "hex_text.h"

namespace qldiag {

namespace {

constexpr DWORD kPipeBufferBytes = 65536;

class Event {
public:
    Event() : handle_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
    ~Event() {
        if (handle_) CloseHandle(handle_);
    }
    Event(const Event&) = delete;
    Event& operator=(const Event&) = delete;
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

// Waits for an overlapped operation, or for `stop`, or for `wake` (may be
// null). 0: the operation completed; 1: stop; 2: wake.
int WaitFor(HANDLE operation, HANDLE stop, HANDLE wake) {
    HANDLE handles[3] = {operation, stop, wake};
    DWORD got = WaitForMultipleObjects(wake ? 3 : 2, handles, FALSE, INFINITE);
    return got == WAIT_OBJECT_0 ? 0 : got == WAIT_OBJECT_0 + 2 ? 2 : 1;
}

void CancelAndWait(HANDLE pipe, OVERLAPPED& operation) {
    CancelIoEx(pipe, &operation);
    DWORD ignored;
    GetOverlappedResult(pipe, &operation, &ignored, TRUE);
}

}  // namespace

DiagServer::DiagServer(Simulation& simulation)
    : simulation_(simulation), stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

DiagServer::~DiagServer() {
    stop();
    if (stop_) CloseHandle(stop_);
}

Clock DiagServer::now() const {
    FILETIME time;
    GetSystemTimeAsFileTime(&time);
    return Clock{GetTickCount64(), uint64_t(time.dwHighDateTime) << 32 | time.dwLowDateTime};
}

bool DiagServer::start() {
    std::vector<HANDLE> pipes;
    for (int i = 0; i < kInstances; ++i) {
        HANDLE pipe = CreateNamedPipeW(kClientPipeName, PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED,
                                       PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE | PIPE_WAIT, kInstances,
                                       kPipeBufferBytes, kPipeBufferBytes, 0, nullptr);
        if (pipe == INVALID_HANDLE_VALUE) {
            for (HANDLE p : pipes) CloseHandle(p);
            return false;
        }
        pipes.push_back(pipe);
    }
    for (int i = 0; i < kInstances; ++i) {
        instances_.push_back(std::make_unique<Instance>());
        instances_.back()->wake = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    }
    for (int i = 0; i < kInstances; ++i) threads_.emplace_back(&DiagServer::serveInstance, this, i, pipes[i]);
    threads_.emplace_back(&DiagServer::serveControl, this);
    threads_.emplace_back(&DiagServer::holdInstances, this);
    return true;
}

void DiagServer::stop() {
    if (threads_.empty()) return;
    SetEvent(stop_);
    releaseHeld();
    for (auto& thread : threads_) thread.join();
    threads_.clear();
    for (auto& instance : instances_) CloseHandle(instance->wake);
    instances_.clear();
}

void DiagServer::serveInstance(int index, HANDLE pipe) {
    Instance& instance = *instances_[index];
    Event connected;
    while (WaitForSingleObject(stop_, 0) != WAIT_OBJECT_0) {
        OVERLAPPED operation{};
        operation.hEvent = connected.get();
        ResetEvent(connected.get());
        if (!ConnectNamedPipe(pipe, &operation)) {
            DWORD error = GetLastError();
            if (error == ERROR_IO_PENDING) {
                if (WaitFor(connected.get(), stop_, nullptr) != 0) {
                    CancelAndWait(pipe, operation);
                    break;
                }
                DWORD ignored;
                if (!GetOverlappedResult(pipe, &operation, &ignored, FALSE)) continue;
            } else if (error != ERROR_PIPE_CONNECTED) {
                // A client that came and went before the listen: start over.
                DisconnectNamedPipe(pipe);
                WaitForSingleObject(stop_, 10);
                continue;
            }
        }
        ++connections_;
        if (simulation_.behaviour(now()).mode != Behaviour::kRefuse) serveConnection(instance, pipe);
        {
            std::lock_guard<std::mutex> hold(instance.lock);
            instance.subscriber = false, instance.closeRequested = false;
            instance.outbox.clear();
        }
        DisconnectNamedPipe(pipe);
    }
    CloseHandle(pipe);
}

void DiagServer::serveConnection(Instance& instance, HANDLE pipe) {
    std::string message;
    while (readMessage(instance, pipe, message)) {
        Answer answer = simulation_.request(message, now());
        if (answer.subscribe) {
            std::lock_guard<std::mutex> hold(instance.lock);
            instance.subscriber = true;
            continue;
        }
        Behaviour behaviour = simulation_.behaviour(now());
        if (behaviour.delayMs && WaitForSingleObject(stop_, behaviour.delayMs) == WAIT_OBJECT_0) return;
        std::string reply = behaviour.mode == Behaviour::kRaw     ? behaviour.raw
                            : behaviour.mode == Behaviour::kSized ? Simulation::SizedReply(behaviour.bytes)
                            : behaviour.mode == Behaviour::kCut   ? answer.reply.substr(0, size_t(behaviour.bytes))
                                                                  : answer.reply;
        if (!writeMessage(pipe, reply)) return;
        if (behaviour.mode == Behaviour::kCut) {
            // Give the client its part before the connection goes.
            WaitForSingleObject(stop_, 200);
            return;
        }
    }
}

bool DiagServer::readMessage(Instance& instance, HANDLE pipe, std::string& message) {
    message.clear();
    Event done;
    std::vector<char> buffer(kPipeBufferBytes);
    for (;;) {
        OVERLAPPED operation{};
        operation.hEvent = done.get();
        ResetEvent(done.get());
        // Whether the read completes at once (the rest of a message already
        // there) or later, its byte count comes from the overlapped result:
        // a read that failed with ERROR_MORE_DATA reports none of its own.
        if (!ReadFile(pipe, buffer.data(), DWORD(buffer.size()), nullptr, &operation)) {
            const DWORD error = GetLastError();
            if (error != ERROR_IO_PENDING && error != ERROR_MORE_DATA) return false;
            for (int woke = error == ERROR_IO_PENDING ? -1 : 0; woke != 0;) {
                woke = WaitFor(done.get(), stop_, instance.wake);
                if (woke == 1 || (woke == 2 && !flushOutbox(instance, pipe))) {
                    CancelAndWait(pipe, operation);
                    return false;
                }
            }
        }
        DWORD read = 0;
        const BOOL ok = GetOverlappedResult(pipe, &operation, &read, FALSE);
        if (!ok && GetLastError() != ERROR_MORE_DATA) return false;
        message.append(buffer.data(), read);
        if (ok) return true;
    }
}

bool DiagServer::writeMessage(HANDLE pipe, const std::string& message) {
    Event done;
    OVERLAPPED operation{};
    operation.hEvent = done.get();
    DWORD written = 0;
    if (WriteFile(pipe, message.data(), DWORD(message.size()), &written, &operation)) return true;
    if (GetLastError() != ERROR_IO_PENDING) return false;
    if (WaitFor(done.get(), stop_, nullptr) != 0) {
        CancelAndWait(pipe, operation);
        return false;
    }
    return GetOverlappedResult(pipe, &operation, &written, FALSE) != 0;
}

// Sends what the control queued for a subscriber; false when the
// connection is to end (closed on request, or a write failed).
bool DiagServer::flushOutbox(Instance& instance, HANDLE pipe) {
    for (;;) {
        std::string message;
        {
            std::lock_guard<std::mutex> hold(instance.lock);
            if (instance.closeRequested) return false;
            if (instance.outbox.empty()) return true;
            message = std::move(instance.outbox.front());
            instance.outbox.pop_front();
        }
        if (!writeMessage(pipe, message)) return false;
    }
}

void DiagServer::serveControl() {
    // One instance, kept for the service's life: between two clients it is
    // busy, never absent, so a client waits for it rather than failing.
    HANDLE pipe = CreateNamedPipeW(kControlPipeName, PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED,
                                   PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE | PIPE_WAIT, 1, kPipeBufferBytes,
                                   kPipeBufferBytes, 0, nullptr);
    if (pipe == INVALID_HANDLE_VALUE) return;
    Event connected;
    Instance unused;
    while (WaitForSingleObject(stop_, 0) != WAIT_OBJECT_0) {
        OVERLAPPED operation{};
        operation.hEvent = connected.get();
        ResetEvent(connected.get());
        bool ready = ConnectNamedPipe(pipe, &operation) || GetLastError() == ERROR_PIPE_CONNECTED;
        if (!ready && GetLastError() == ERROR_IO_PENDING) {
            if (WaitFor(connected.get(), stop_, nullptr) != 0) {
                CancelAndWait(pipe, operation);
                break;
            }
            DWORD ignored;
            ready = GetOverlappedResult(pipe, &operation, &ignored, FALSE) != 0;
        }
        std::string request;
        while (ready && readMessage(unused, pipe, request)) {
            Json parsed = Json::parse(request, nullptr, false);
            Json reply = parsed.is_object() ? control(parsed)
                                            : Json{{"status", "error"}, {"error", "control request is not an object"}};
            if (!writeMessage(pipe, reply.dump(-1, ' ', false, Json::error_handler_t::replace))) break;
        }
        DisconnectNamedPipe(pipe);
    }
    CloseHandle(pipe);
}

Json DiagServer::control(const Json& request) {
    const std::string op = request.value("op", "");
    if (op == "notify") {
        std::string message;
        if (request.contains("size") && request["size"].is_number_unsigned())
            message = Simulation::SizedMessage(request["size"].get<uint64_t>());
        else if (request.contains("hex") && request["hex"].is_string()) {
            if (!qlsim::FromHex(request["hex"].get<std::string>(), message)) return Json{{"status", "error"}, {"error", "bad hex"}};
        } else {
            message = request.value("text", "");
        }
        int sent = 0;
        for (auto& instance : instances_) {
            std::lock_guard<std::mutex> hold(instance->lock);
            if (!instance->subscriber) continue;
            instance->outbox.push_back(message);
            SetEvent(instance->wake);
            ++sent;
        }
        return Json{{"status", "success"}, {"sent", sent}};
    }
    if (op == "drop-subscribers" || op == "subscribers") {
        int count = 0;
        for (auto& instance : instances_) {
            std::lock_guard<std::mutex> hold(instance->lock);
            if (!instance->subscriber) continue;
            ++count;
            if (op == "drop-subscribers") instance->closeRequested = true, SetEvent(instance->wake);
        }
        return Json{{"status", "success"}, {"subscribers", count}};
    }
    if (op == "connections") return Json{{"status", "success"}, {"connections", connections_.load()}};
    Json reply = simulation_.control(request, now());
    if (op == "reset") connections_ = 0;
    if (op == "behave") {
        // Busy from the moment the control is answered, not from the holder's next round.
        if (simulation_.behaviour(now()).mode == Behaviour::kBusy) grabFreeInstances();
        else releaseHeld();
    }
    return reply;
}

void DiagServer::holdInstances() {
    while (WaitForSingleObject(stop_, 20) == WAIT_TIMEOUT) {
        if (simulation_.behaviour(now()).mode == Behaviour::kBusy) grabFreeInstances();
        else releaseHeld();
    }
}

// Connects to every instance that is listening, so that clients find them
// all busy; the instances' threads wait on these silent connections.
void DiagServer::grabFreeInstances() {
    std::lock_guard<std::mutex> hold(heldLock_);
    while (held_.size() < size_t(kInstances)) {
        HANDLE pipe = CreateFileW(kClientPipeName, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                                  nullptr);
        if (pipe == INVALID_HANDLE_VALUE) break;
        held_.push_back(pipe);
    }
}

void DiagServer::releaseHeld() {
    std::lock_guard<std::mutex> hold(heldLock_);
    for (HANDLE pipe : held_) CloseHandle(pipe);
    held_.clear();
}

}  // namespace qldiag
