// The pipes of the simulated diagnostics service: the client's pipe with
// several message-mode instances, each served by a thread of its own, and
// the control pipe through which qlsim and the tests steer the simulation.
#pragma once

#include <windows.h>

#include <atomic>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "diag_sim_names.h"
#include "diag_simulation.h"

namespace qldiag {

constexpr int kInstances = 8;

class DiagServer {
public:
    explicit DiagServer(Simulation& simulation);
    ~DiagServer();
    DiagServer(const DiagServer&) = delete;
    DiagServer& operator=(const DiagServer&) = delete;

    // Creates every pipe instance and starts its thread; false (with
    // nothing left running) when the pipe cannot be created.
    bool start();
    // Ends every connection and thread.
    void stop();

private:
    struct Instance {
        HANDLE wake = nullptr;  // set when the outbox or closeRequested changed
        std::mutex lock;
        std::deque<std::string> outbox;
        bool subscriber = false;
        bool closeRequested = false;
    };

    void serveInstance(int index, HANDLE pipe);
    void serveConnection(Instance& instance, HANDLE pipe);
    // Reads one whole message; false when the connection ended (or the
    // instance was told to close it). Serves the outbox while it waits.
    bool readMessage(Instance& instance, HANDLE pipe, std::string& message);
    bool writeMessage(HANDLE pipe, const std::string& message);
    bool flushOutbox(Instance& instance, HANDLE pipe);
    void serveControl();
    Json control(const Json& request);
    void holdInstances();
    void grabFreeInstances();
    void releaseHeld();
    Clock now() const;

    Simulation& simulation_;
    HANDLE stop_ = nullptr;
    std::vector<std::unique_ptr<Instance>> instances_;
    std::vector<std::thread> threads_;
    std::atomic<uint64_t> connections_{0};
    std::mutex heldLock_;
    std::vector<HANDLE> held_;  // the service's own connections that keep instances busy
};

}  // namespace qldiag
