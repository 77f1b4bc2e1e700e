// Leaks: every export in a loop, and the library loaded and unloaded again
// and again; memory by the process heaps' busy bytes and committed private
// pages, handles by the system's handle table and by the value the next
// handle gets.
#include <cstdio>
#include <functional>

#include "support/process_usage.h"
#include "suite.h"

namespace qlrel {

namespace {

constexpr int kMaxLoops = 2000;
constexpr int kMinLoops = 20;
constexpr double kBudgetMs = 4000;  // per export: a call that sleeps gets fewer loops
constexpr int kLoadCycles = 200;

// Runs `loops` rounds of `round` between two measurements, prints the
// growth after `what` and judges it: Wine's own bookkeeping wobbles by a few
// blocks, a leak grows with every round. The next handle's value may creep
// up by `handleCreep`.
std::string Growth(const std::string& what, int loops, uintptr_t handleCreep, const std::function<void(int)>& round) {
    const qltest::ProcessUsage before = qltest::MeasureProcessUsage();
    const uintptr_t handleBefore = qltest::NextHandleValue();
    for (int i = 0; i < loops; ++i) round(i);
    const qltest::ProcessUsage after = qltest::MeasureProcessUsage();
    const int64_t heapBytes = int64_t(after.heapBytes) - int64_t(before.heapBytes);
    const int64_t heapBlocks = int64_t(after.heapBlocks) - int64_t(before.heapBlocks);
    const int64_t privateBytes = int64_t(after.privateBytes) - int64_t(before.privateBytes);
    const int64_t handles = after.handles - before.handles;
    printf("  %-48s %5d rounds: heap %+lld bytes %+lld blocks, private %+lld, handles %+lld\n", what.c_str(), loops,
           static_cast<long long>(heapBytes), static_cast<long long>(heapBlocks),
           static_cast<long long>(privateBytes), static_cast<long long>(handles));
    std::string problems;
    if (heapBlocks >= loops / 4 + 8 || heapBytes >= 16 * 1024)
        Append(problems, "heap grew by " + std::to_string(heapBytes) + " bytes in " + std::to_string(heapBlocks) + " blocks");
    if (handles > 0) Append(problems, std::to_string(handles) + " handles left open");
    if (privateBytes >= 1024 * 1024) Append(problems, "committed private memory grew by " + std::to_string(privateBytes));
    if (qltest::NextHandleValue() > handleBefore + handleCreep) Append(problems, "handle values creep upward");
    return problems;
}

}  // namespace

void RunLeaks(Suite& suite) {
    ApplyState(suite.sim(), 0);
    for (const Target& target : suite.targets()) {
        suite.progress("leaks", target.entry->name.c_str());
        const int loops = std::max(kMinLoops, std::min(kMaxLoops, int(kBudgetMs / std::max(target.benignMs, 0.01))));
        // Commands move the state; each loop starts from state A again.
        for (int i = 0; i < 10; ++i) suite.callBenign(target, false);
        if (target.changesState) ApplyState(suite.sim(), 0);
        std::string problems;
        std::string judged = Growth(target.entry->name, loops, 4 * 16, [&](int i) {
            const std::string p = suite.callBenign(target, i % 500 == 0);
            if (problems.empty()) problems = p;
            if (target.changesState && i + 1 == loops) ApplyState(suite.sim(), 0);
        });
        suite.check("leaks", target.entry->name, problems.empty() ? judged : problems);
    }
}

// Load and unload, with no other reference to the library held: its attach
// and detach, and the C++ runtime it carries.
void RunLoadCycles(Suite& suite) {
    suite.progress("leaks", "LoadLibrary/FreeLibrary");
    for (int i = 0; i < 5; ++i) FreeLibrary(LoadLibraryW(L"qlclapi.dll"));
    suite.check("leaks", "load/unload cycles", Growth("load/unload cycles", kLoadCycles, 0, [&](int) {
                    if (HMODULE module = LoadLibraryW(L"qlclapi.dll")) FreeLibrary(module);
                    suite.progress("leaks", "LoadLibrary/FreeLibrary");
                }));
}

}  // namespace qlrel
