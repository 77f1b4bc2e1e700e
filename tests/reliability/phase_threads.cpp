// Sixteen threads calling every export while another thread switches the
// simulated client between states A and B. Each answer of an export that
// asks the driver must be one it gave in state A or in state B when nothing
// moved; an export that asks the driver more than once may also find
// nothing (its requests fell on both sides of a change), as it does when
// the driver refuses. Commands run too, but their requests are refused, so
// that they cannot move the state the others read.
#include <cinttypes>
#include <cstdio>
#include <thread>

#include "hex_text.h"
#include "suite.h"

namespace qlrel {

namespace {

constexpr int kThreads = 16;

// An answer in a failure message: its first 80 bytes in hexadecimal.
std::string Printable(const std::string& bytes) { return qlsim::ToHex(bytes.substr(0, 80)); }

}  // namespace

void RunThreads(Suite& suite, unsigned seconds) {
    std::vector<Target>& targets = suite.targets();
    std::set<uint32_t> commandCodes, queryCodes;
    for (const Target& t : targets) (t.changesState ? commandCodes : queryCodes).insert(t.codes.begin(), t.codes.end());
    for (uint32_t code : queryCodes) commandCodes.erase(code);
    auto refuseCommands = [&] {
        for (uint32_t code : commandCodes) suite.sim().setRule(code, QLSIM_RULE_REFUSE);
    };

    // What each export answers in A, in B, and with every request refused.
    std::vector<std::set<std::string>> allowed(targets.size());
    for (int state = 0; state < 3; ++state) {
        ApplyState(suite.sim(), state == 2 ? 0 : state);
        refuseCommands();
        if (state == 2)
            for (const Target& t : targets)
                for (uint32_t code : t.codes) suite.sim().setRule(code, QLSIM_RULE_REFUSE);
        for (size_t i = 0; i < targets.size(); ++i) {
            if (state == 2 && targets[i].codes.size() < 2) continue;
            std::string answer;
            suite.callBenign(targets[i], false, &answer);
            allowed[i].insert(answer);
        }
    }
    ApplyState(suite.sim(), 0);
    refuseCommands();

    std::atomic<bool> stop{false};
    std::atomic<uint64_t> torn{0}, switches{0};
    std::vector<std::string> problems(targets.size());
    std::mutex problemLock;
    auto worker = [&](int index) {
        for (size_t n = size_t(index); !stop; ++n) {
            const size_t i = n % targets.size();
            suite.progress("threads", targets[i].entry->name.c_str());
            std::string answer;
            std::string p = suite.callBenign(targets[i], false, &answer, false);
            // Only what the driver answers follows the switching state; an
            // export that sends no request (registry, pipe, constants) is
            // watched for faults and hangs alone.
            if (p.empty() && !targets[i].codes.empty() && !allowed[i].count(answer)) {
                ++torn;
                p = targets[i].entry->name + ": an answer of neither state: " + Printable(answer) + " (allowed:";
                for (const auto& a : allowed[i]) p += " " + Printable(a);
                p += ")";
            }
            if (!p.empty()) {
                std::lock_guard<std::mutex> lock(problemLock);
                if (problems[i].empty()) problems[i] = p;
            }
        }
    };
    // The switching thread has a control handle of its own.
    std::thread switcher([&] {
        qlsim::SimControl control;
        for (int state = 1; !stop; state ^= 1) {
            ApplyState(control, state, false);
            ++switches;
            Sleep(20);
        }
    });
    std::vector<std::thread> workers;
    for (int t = 0; t < kThreads; ++t) workers.emplace_back(worker, t);
    Sleep(seconds * 1000);
    stop = true;
    for (auto& w : workers) w.join();
    switcher.join();
    for (size_t i = 0; i < targets.size(); ++i) suite.check("threads", targets[i].entry->name, problems[i]);
    printf("  %d threads for %u s, %" PRIu64 " state switches, %" PRIu64 " torn answers\n", kThreads, seconds,
           switches.load(), torn.load());
}

}  // namespace qlrel
