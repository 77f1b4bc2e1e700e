// Discovery (what each export sends to the driver) and the hostile caller.
#include <chrono>
#include <cstdio>

#include "suite.h"

namespace qlrel {

namespace {

bool Requires(const ExportEntry& entry, const ArgumentGroup& group) {
    for (size_t index : entry.required)
        if (index >= group.first && index < group.first + group.width) return true;
    return false;
}

// A required argument (marked "!" in the .shapes lists) given as null: the
// export answers 0 and the driver hears nothing of it.
std::string CheckRequiredNull(Suite& suite, const Target& target, std::vector<const PieceMaker*> makers, size_t g,
                              const ArgumentGroup& group) {
    const PieceMaker nulls = Nulls(group);
    makers[g] = &nulls;
    ApplyState(suite.sim(), 0);
    suite.sim().clearJournal();
    std::string answer;
    std::string problems = suite.call(target, makers, false, &answer);
    for (uint32_t code : RequestsHeard(suite.sim())) Append(problems, "sent " + Hex(code) + " with a required argument null");
    if (answer.substr(0, answer.find('/')) != "0") Append(problems, "answered " + answer + " with a required argument null");
    return problems;
}

}  // namespace

// One benign call of every export in state A, watching the driver's
// journal: the request codes each export sends decide which exports the
// hostile driver's rules and lies are tried on; an export that moves the
// simulated state (from A or from B) is a command.
void DiscoverTargets(Suite& suite) {
    for (Target& target : suite.targets()) {
        suite.progress("discovery", target.entry->name.c_str());
        QlSimState before[2], after[2];
        for (int state = 0; state < 2; ++state) {
            ApplyState(suite.sim(), state);
            suite.sim().getState(before[state]);
            suite.sim().clearJournal();
            const auto start = std::chrono::steady_clock::now();
            const std::string problems = suite.callBenign(target, state == 0);
            if (state == 0) {
                target.benignMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
                suite.check("discovery", target.entry->name, problems);
                target.codes = RequestsHeard(suite.sim());
            }
            suite.sim().getState(after[state]);
            // A command may leave state A as it found it (enable, in a
            // connected state); from state B it shows.
            target.changesState = target.changesState || memcmp(&before[state], &after[state], sizeof after[state]) != 0;
        }
        std::string codes;
        for (uint32_t code : target.codes) codes += " " + Hex(code);
        printf("  %-48s %8.2f ms%s%s\n", target.entry->name.c_str(), target.benignMs,
               target.changesState ? "  (command)" : "", codes.c_str());
    }
}

// Every export with each argument group made hostile in turn (the others
// benign), then with every group at its first hostile form at once.
void RunHostileCaller(Suite& suite) {
    for (const Target& target : suite.targets()) {
        suite.progress("hostile caller", target.entry->name.c_str());
        const std::vector<ArgumentGroup> groups = GroupsOf(*target.entry);
        std::vector<PieceMaker> benign;
        std::vector<std::vector<PieceMaker>> hostile;
        for (const auto& group : groups) {
            benign.push_back(Benign(group));
            hostile.push_back(Hostile(group));
        }
        std::string problems;
        auto run = [&](const std::vector<const PieceMaker*>& makers) {
            ApplyState(suite.sim(), 0);
            Append(problems, suite.call(target, makers, true), "\n    ");
        };
        std::vector<const PieceMaker*> makers;
        for (const auto& maker : benign) makers.push_back(&maker);
        run(makers);
        for (size_t g = 0; g < groups.size(); ++g)
            if (Requires(*target.entry, groups[g]))
                Append(problems, CheckRequiredNull(suite, target, makers, g, groups[g]), "\n    ");
        for (size_t g = 0; g < groups.size(); ++g) {
            for (const auto& variant : hostile[g]) {
                makers[g] = &variant;
                run(makers);
            }
            makers[g] = &benign[g];
        }
        if (!groups.empty()) {
            for (size_t g = 0; g < groups.size(); ++g) makers[g] = &hostile[g].front();
            run(makers);
        }
        suite.check("hostile caller", target.entry->name, problems);
    }
}

}  // namespace qlrel
