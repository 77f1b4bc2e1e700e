// What the phases of the reliability suite share: the loaded library and
// its exports, the simulated client, and the tally of what went wrong.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "arguments.h"
#include "call_guard.h"
#include "export_table.h"
#include "sim_control.h"
#include "support/journal.h"

namespace qlrel {

using qltest::Hex;

// A call slower than this counts as a hang, whatever the driver answers. A
// driver that claims to fill every interface-table buffer costs about 0.3 s
// under Wine (it cost 4 s and more while the table grew 8 entries at a
// time); the bound leaves room for a machine busy with other work.
constexpr double kCallBoundMs = 3000;

struct Tally {
    std::atomic<uint64_t> calls{0}, passed{0}, failed{0};
};

// An export the suite calls: its table entry, its address, and what the
// discovery pass learnt about it.
struct Target {
    const ExportEntry* entry;
    void* function;
    std::set<uint32_t> codes;  // request codes one benign call sends
    bool changesState = false; // a command: the simulated state moved
    double benignMs = 0;
};

class Suite {
public:
    qlsim::SimControl& sim() { return sim_; }
    Tally& tally() { return tally_; }
    std::vector<Target>& targets() { return targets_; }

    // Calls `target` with `makers` (one per argument group), checks what it
    // did and counts it; returns the problems (empty when none). With
    // `validateHeaps`, HeapValidate runs after the call.
    // A `bounded` call slower than kCallBoundMs counts as a problem; calls
    // from many threads at once are not bounded (an export may wait its turn
    // for a pipe instance), the watchdog catches those that never return.
    std::string call(const Target& target, const std::vector<const PieceMaker*>& makers, bool validateHeaps,
                     std::string* answer = nullptr, bool bounded = true);
    std::string callBenign(const Target& target, bool validateHeaps, std::string* answer = nullptr,
                           bool bounded = true);

    // One pass/fail line of the closing count; failures are printed.
    void check(const std::string& phase, const std::string& what, const std::string& problems);

    // Progress for the watchdog: the phase and export in hand.
    void progress(const char* phase, const char* name);
    void startWatchdog(unsigned seconds, void (*onHang)());

private:
    qlsim::SimControl sim_;
    Tally tally_;
    std::vector<Target> targets_;
    std::mutex printLock_;
};

// The simulated client in a known state: the two states the thread phase
// switches between (same shapes of answers, different values).
// 0: state A, 1: state B. From the driver's defaults (rules cleared), or,
// without `fromDefaults`, record by record over what is there, so that a
// reader never meets the defaults in between.
void ApplyState(qlsim::SimControl& sim, int which, bool fromDefaults = true);

// The request codes the simulated driver received since its journal was cleared.
std::set<uint32_t> RequestsHeard(qlsim::SimControl& sim);

// The phases; each adds its checks to the suite's tally.
void DiscoverTargets(Suite& suite);
void RunHostileCaller(Suite& suite);
void RunHostileDriver(Suite& suite);
void RunThreads(Suite& suite, unsigned seconds);
void RunLeaks(Suite& suite);
void RunLoadCycles(Suite& suite);  // needs the library unloaded

}  // namespace qlrel
