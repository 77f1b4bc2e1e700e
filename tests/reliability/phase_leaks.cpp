// Leaks: every export in a loop, and the library loaded and unloaded again
// and again; memory by the process heaps' busy bytes and committed private
// pages, handles by the system's handle table and by the value the next
// handle gets.
#include <cstdio>

#include "support/process_usage.h"
#include "suite.h"

namespace qlrel {

namespace {

constexpr int kMaxLoops = 2000;
constexpr int kMinLoops = 20;
constexpr double kBudgetMs = 4000;  // per export: a call that sleeps gets fewer loops
constexpr int kLoadCycles = 200;

using qltest::MeasureProcessUsage;
using qltest::ProcessUsage;

struct Growth {
    int64_t heapBytes, heapBlocks, privateBytes, handles;
};

Growth Between(const ProcessUsage& before, const ProcessUsage& after) {
    return {int64_t(after.heapBytes) - int64_t(before.heapBytes),
            int64_t(after.heapBlocks) - int64_t(before.heapBlocks),
            int64_t(after.privateBytes) - int64_t(before.privateBytes), after.handles - before.handles};
}

// Growth that a loop of `loops` calls may show without a leak: Wine's own
// bookkeeping wobbles by a few blocks, a leak grows with every call.
std::string Judge(const Growth& g, int loops) {
    std::string problems;
    auto note = [&](const std::string& p) { problems += (problems.empty() ? "" : "; ") + p; };
    if (g.heapBlocks >= loops / 4 + 8 || g.heapBytes >= 16 * 1024)
        note("heap grew by " + std::to_string(g.heapBytes) + " bytes in " + std::to_string(g.heapBlocks) + " blocks");
    if (g.handles > 0) note(std::to_string(g.handles) + " handles left open");
    if (g.privateBytes >= 1024 * 1024) note("committed private memory grew by " + std::to_string(g.privateBytes));
    return problems;
}

}  // namespace

void RunLeaks(Suite& suite) {
    ApplyState(suite.sim(), 0);
    uint64_t calls = 0;
    for (const Target& target : suite.targets()) {
        suite.progress("leaks", target.entry->name.c_str());
        const int loops = std::max(kMinLoops, std::min(kMaxLoops, int(kBudgetMs / std::max(target.benignMs, 0.01))));
        // Commands move the state; each loop starts from state A again.
        for (int i = 0; i < 10; ++i) suite.callBenign(target, false);
        if (target.changesState) ApplyState(suite.sim(), 0);
        const ProcessUsage before = MeasureProcessUsage();
        const uintptr_t handleBefore = qltest::NextHandleValue();
        std::string problems;
        for (int i = 0; i < loops; ++i) {
            std::string p = suite.callBenign(target, i % 500 == 0);
            if (!p.empty() && problems.empty()) problems = p;
        }
        calls += loops;
        if (target.changesState) ApplyState(suite.sim(), 0);
        const ProcessUsage after = MeasureProcessUsage();
        const Growth g = Between(before, after);
        std::string judged = Judge(g, loops);
        if (qltest::NextHandleValue() > handleBefore + 4 * 16)
            judged += (judged.empty() ? "" : "; ") + std::string("handle values creep upward");
        printf("  %-48s %5d calls: heap %+lld bytes %+lld blocks, private %+lld, handles %+lld\n",
               target.entry->name.c_str(), loops, static_cast<long long>(g.heapBytes),
               static_cast<long long>(g.heapBlocks), static_cast<long long>(g.privateBytes),
               static_cast<long long>(g.handles));
        suite.check("leaks", target.entry->name, problems.empty() ? judged : problems);
    }
    suite.sim().reset();
    printf("  %llu calls\n", static_cast<unsigned long long>(calls));
}

// Load and unload, with no other reference to the library held: its attach
// and detach, and the C++ runtime it carries.
void RunLoadCycles(Suite& suite) {
    suite.progress("leaks", "LoadLibrary/FreeLibrary");
    for (int i = 0; i < 5; ++i) FreeLibrary(LoadLibraryW(L"qlclapi.dll"));
    const ProcessUsage before = MeasureProcessUsage();
    const uintptr_t handleBefore = qltest::NextHandleValue();
    for (int i = 0; i < kLoadCycles; ++i) {
        HMODULE module = LoadLibraryW(L"qlclapi.dll");
        if (module) FreeLibrary(module);
        suite.progress("leaks", "LoadLibrary/FreeLibrary");
    }
    const ProcessUsage after = MeasureProcessUsage();
    const Growth g = Between(before, after);
    std::string judged = Judge(g, kLoadCycles);
    if (qltest::NextHandleValue() != handleBefore) judged += (judged.empty() ? "" : "; ") + std::string("handle value moved");
    printf("  %d load/unload cycles: heap %+lld bytes %+lld blocks, private %+lld, handles %+lld\n", kLoadCycles,
           static_cast<long long>(g.heapBytes), static_cast<long long>(g.heapBlocks),
           static_cast<long long>(g.privateBytes), static_cast<long long>(g.handles));
    suite.check("leaks", "load/unload cycles", judged);
}

}  // namespace qlrel
