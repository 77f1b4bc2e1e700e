// The simulated diagnostics service seen from qlsim and the tests: its
// registration with the service control manager, and its control pipe,
// through which it reports the request messages it received (byte for
// byte), the custom tags it recorded and its state, and is told how to
// answer (see sim/diagsvc).
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "diag_sim_names.h"

namespace qlsim {

// Registers qldiagsvc.exe from beside the calling program as the
// demand-start service QLDIAG (or updates its registration), starts and
// stops it. ERROR_SUCCESS or the Win32 error.
DWORD InstallDiagService();
DWORD StartDiagService();
DWORD StopDiagService();
DWORD RemoveDiagService();
DWORD DiagServiceState();  // SERVICE_RUNNING, ..., 0 when not installed

struct DiagTag {
    std::string key, value;
    bool hasValue;
};

class DiagSimControl {
public:
    // One control exchange of JSON texts; false when the control pipe could
    // not be used (lastError() says why) or the reply is not "success"
    // (lastReply() holds it).
    bool call(const std::string& request, std::string& reply);

    bool reset();  // defaults: normal answers, empty log and tags, no overrides
    // Every request message since the last clear, oldest first, byte for byte.
    bool log(std::vector<std::string>& messages, bool clear = false);
    bool tags(std::vector<DiagTag>& tags, bool clear = false);
    // mode: normal, busy (ms: for that long, 0 until changed), refuse, cut
    // (bytes of each reply sent before the connection closes), size (every
    // reply a success of exactly `bytes` bytes), raw (every reply `raw`).
    bool behave(const std::string& mode, uint64_t bytes = 0, uint64_t ms = 0, const std::string& raw = {});
    bool delay(uint32_t ms);  // before every reply
    // A status member answered with `jsonValue` (a JSON text), left out, or
    // back to what the simulation says.
    bool set(const std::string& member, const std::string& jsonValue);
    bool drop(const std::string& member);
    bool unset(const std::string& member);
    // Durations in milliseconds of a report, a bandwidth test and the
    // cool-off after a test; negative leaves one as it is.
    bool timing(int64_t reportMs, int64_t testMs = -1, int64_t cooloffMs = -1);
    // A message to every subscriber: `bytes` as they are, or a JSON object
    // of exactly `size` bytes. `sent` receives the number of subscribers.
    bool notify(const std::string& bytes, int* sent = nullptr);
    bool notifySized(uint64_t size, int* sent = nullptr);
    bool dropSubscribers(int* dropped = nullptr);
    bool subscribers(int& count);
    // Connections accepted on the client's pipe since the last reset.
    bool connections(uint64_t& count);
    // {"state":...,"behaviour":...,"timing":...,...} as the service sees it.
    bool show(std::string& json);

    unsigned long lastError() const { return lastError_; }
    const std::string& lastReply() const { return lastReply_; }

private:
    bool simple(const std::string& request);
    unsigned long lastError_ = 0;
    std::string lastReply_;
};

}  // namespace qlsim
