#include "suite.h"

#include <cstdio>
#include <thread>

namespace qlrel {

namespace {
std::atomic<uint64_t> g_progress{0};
std::atomic<const char*> g_phase{""}, g_export{""};
}  // namespace

std::string Suite::call(const Target& target, const std::vector<const PieceMaker*>& makers, bool validateHeaps,
                        std::string* answer, bool bounded) {
    PreparedCall prepared = Prepare(makers);
    const CallOutcome outcome = GuardedCall(*target.entry, target.function, prepared.args.data());
    ++g_progress;
    ++tally_.calls;
    if (answer) *answer = AnswerOf(*target.entry, prepared, outcome);
    std::string problems = Finish(*target.entry, prepared, outcome);
    if (bounded && outcome.milliseconds > kCallBoundMs) {
        Append(problems, "took " + std::to_string(int(outcome.milliseconds)) + " ms");
    }
    if (validateHeaps) Append(problems, HeapDamage());
    return problems.empty() ? problems : target.entry->name + "(" + prepared.label + "): " + problems;
}

std::string Suite::callBenign(const Target& target, bool validateHeaps, std::string* answer, bool bounded) {
    std::vector<PieceMaker> benign;
    for (const ArgumentGroup& group : GroupsOf(*target.entry)) benign.push_back(Benign(group));
    std::vector<const PieceMaker*> makers;
    for (const auto& maker : benign) makers.push_back(&maker);
    return call(target, makers, validateHeaps, answer, bounded);
}

std::set<uint32_t> RequestsHeard(qlsim::SimControl& sim) {
    std::vector<QlSimJournalEntry> journal;
    sim.readJournal(journal);
    std::set<uint32_t> codes;
    for (const auto& e : journal)
        if (e.event == QLSIM_EVENT_REQUEST) codes.insert(e.code);
    return codes;
}

void Suite::check(const std::string& phase, const std::string& what, const std::string& problems) {
    std::lock_guard<std::mutex> lock(printLock_);
    if (problems.empty()) {
        ++tally_.passed;
        return;
    }
    ++tally_.failed;
    printf("FAILED %s: %s: %s\n", phase.c_str(), what.c_str(), problems.c_str());
    fflush(stdout);
}

void Suite::progress(const char* phase, const char* name) {
    g_phase = phase;
    g_export = name;
    ++g_progress;
}

void Suite::startWatchdog(unsigned seconds, void (*onHang)()) {
    std::thread([seconds, onHang] {
        uint64_t seen = g_progress;
        for (unsigned quiet = 0;; Sleep(1000)) {
            const uint64_t now = g_progress;
            quiet = now == seen ? quiet + 1 : 0;
            seen = now;
            if (quiet >= seconds) {
                printf("HANG: no call returned for %u s (phase %s, export %s)\n", seconds, g_phase.load(),
                       g_export.load());
                fflush(stdout);
                onHang();
            }
        }
    }).detach();
}

}  // namespace qlrel
