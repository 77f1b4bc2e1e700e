// Discovery (what each export sends to the driver) and the hostile caller.
#include <cstdio>

#include "suite.h"

namespace qlrel {

namespace {

bool SameState(const QlSimState& a, const QlSimState& b) { return memcmp(&a, &b, sizeof a) == 0; }

bool Requires(const ExportEntry& entry, const ArgumentGroup& group) {
    for (size_t index : entry.required)
        if (index >= group.first && index < group.first + group.width) return true;
    return false;
}

// A required argument (marked "!" in the .shapes lists) given as null: the
// export answers 0 and the driver hears nothing of it.
std::string CheckRequiredNull(Suite& suite, const Target& target, std::vector<const PieceMaker*> makers,
                              const ArgumentGroup& group, size_t g) {
    const PieceMaker nulls = Nulls(group);
    makers[g] = &nulls;
    ApplyState(suite.sim(), 0);
    suite.sim().clearJournal();
    std::string answer;
    std::string problems = suite.call(target, makers, false, &answer);
    std::vector<QlSimJournalEntry> journal;
    suite.sim().readJournal(journal);
    for (const auto& e : journal)
        if (e.event == QLSIM_EVENT_REQUEST) {
            char code[16];
            snprintf(code, sizeof code, "0x%06X", e.code);
            problems += std::string(problems.empty() ? "" : "; ") + "sent " + code + " with a required argument null";
        }
    if (answer.substr(0, answer.find('/')) != "0")
        problems += std::string(problems.empty() ? "" : "; ") + "answered " + answer + " with a required argument null";
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
        ApplyState(suite.sim(), 0);
        QlSimState before{}, after{};
        suite.sim().getState(before);
        suite.sim().clearJournal();
        LARGE_INTEGER start, end, frequency;
        QueryPerformanceFrequency(&frequency);
        QueryPerformanceCounter(&start);
        suite.check("discovery", target.entry->name, suite.callBenign(target, true));
        QueryPerformanceCounter(&end);
        target.benignMs = double(end.QuadPart - start.QuadPart) * 1000.0 / double(frequency.QuadPart);
        std::vector<QlSimJournalEntry> journal;
        suite.sim().readJournal(journal);
        for (const auto& e : journal)
            if (e.event == QLSIM_EVENT_REQUEST) target.codes.insert(e.code);
        suite.sim().getState(after);
        target.changesState = !SameState(before, after);
        // A command may leave state A as it found it (enable, in a connected
        // state); from state B it shows.
        ApplyState(suite.sim(), 1);
        suite.sim().getState(before);
        suite.callBenign(target, false);
        suite.sim().getState(after);
        target.changesState = target.changesState || !SameState(before, after);
        std::string codes;
        for (uint32_t code : target.codes) {
            char text[16];
            snprintf(text, sizeof text, " 0x%06X", code);
            codes += text;
        }
        printf("  %-48s %8.2f ms%s%s\n", target.entry->name.c_str(), target.benignMs,
               target.changesState ? "  (command)" : "", codes.c_str());
    }
}

// Every export with each argument group made hostile in turn (the others
// benign), then with every group at its first hostile form at once.
void RunHostileCaller(Suite& suite) {
    uint64_t calls = 0;
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
            const std::string p = suite.call(target, makers, true);
            ++calls;
            if (!p.empty()) problems += (problems.empty() ? "" : "\n    ") + p;
        };
        std::vector<const PieceMaker*> makers;
        for (const auto& maker : benign) makers.push_back(&maker);
        run(makers);
        for (size_t g = 0; g < groups.size(); ++g) {
            if (!Requires(*target.entry, groups[g])) continue;
            const std::string p = CheckRequiredNull(suite, target, makers, groups[g], g);
            ++calls;
            if (!p.empty()) problems += (problems.empty() ? "" : "\n    ") + p;
        }
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
    printf("  %llu calls\n", static_cast<unsigned long long>(calls));
}

}  // namespace qlrel
