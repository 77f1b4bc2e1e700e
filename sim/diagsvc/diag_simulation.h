// What the simulated diagnostics service knows and does, apart from its
// pipes: it answers each command as the client's service would, runs a
// report and a bandwidth test over time, records custom tags, keeps a
// byte-exact log of every request message, and can be told (through its
// control pipe) to misbehave. Plain C++ without the platform: the server
// hands in the time and the two settings that gate reports and tests.
//
// Every public member takes the simulation's lock; the pipe threads call
// them concurrently.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace qldiag {

using Json = nlohmann::json;

struct Clock {
    uint64_t ms;        // monotonic, for progress
    uint64_t fileTime;  // 100 ns since 1601, UTC, for "last-message-sent"
};

struct Gates {
    bool reportsEnabled;  // A_DIAG_EnableClientReports
    bool testsEnabled;    // A_DIAG_EnableBandwidthTest
};

// How command connections are served (the control pipe is never affected).
struct Behaviour {
    enum Mode { kNormal, kBusy, kRefuse, kCut, kRaw, kSized };
    Mode mode = kNormal;
    uint32_t delayMs = 0;    // before every reply, whatever the mode
    uint64_t bytes = 0;      // kCut: bytes of the reply sent; kSized: reply length
    std::string raw;         // kRaw: the reply, byte for byte
    uint64_t busyUntil = 0;  // kBusy: Clock::ms when it ends by itself; 0 never
};

struct Answer {
    bool subscribe = false;  // keep the connection as a subscription, no reply
    std::string reply;
};

class Simulation {
public:
    explicit Simulation(std::function<Gates()> gates) : gates_(std::move(gates)) { resetLocked(); }

    // One request message of a command connection: logged, then answered.
    Answer request(const std::string& message, const Clock& now);
    // The behaviour in force now (a timed kBusy ends by itself).
    Behaviour behaviour(const Clock& now);
    // A control request (JSON); the reply, or an error object. Operations
    // that need the pipes are the server's; this answers the rest.
    Json control(const Json& request, const Clock& now);
    // A reply of exactly `bytes` bytes (at least 29) that reads as success.
    static std::string SizedReply(uint64_t bytes);
    // A JSON object of exactly `bytes` bytes (at least 12), for messages to
    // subscribers.
    static std::string SizedMessage(uint64_t bytes);

private:
    struct Run {
        bool active = false;
        int32_t instance = 0;
        std::string source, memo;
        uint64_t startedAt = 0, endsAt = 0;
        int32_t percent = 0;
    };
    struct Tag {
        std::string key, value;
        bool hasValue;
    };

    void resetLocked();
    void advance(const Clock& now);
    Json state(const Clock& now);
    Json command(const Json& message, const Clock& now);
    Json startReport(const Json& message, const Clock& now);
    Json startBandwidth(const Json& message, const Clock& now);
    Json stateReply(const Json& message, const Clock& now);

    std::mutex lock_;
    std::function<Gates()> gates_;
    Behaviour behaviour_;
    uint64_t reportMs_, testMs_, cooloffMs_;
    Run report_, test_;
    uint64_t cooloffUntil_ = 0;
    bool testDone_ = false;
    std::string testFailure_;
    uint64_t lastMessageSent_ = 0;
    std::map<std::string, Json> overrides_;  // members answered with a value of the control's choosing
    std::set<std::string> dropped_;          // members left out of every status reply
    std::vector<Tag> tags_;
    std::vector<std::string> log_;
    uint64_t logBytes_ = 0, logDropped_ = 0, logFirst_ = 1;
    uint32_t shows_ = 0, clears_ = 0;
};

}  // namespace qldiag
