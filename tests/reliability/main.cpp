// reliability.exe: every export of qlclapi.dll against a hostile caller, a
// hostile driver, sixteen threads and long loops, with the process heaps
// validated after each hostile call (run it with Wine's heap checking on:
// WINEDEBUG=warn+heap). Needs the simulated client running and qlclapi.dll
// beside it. Prints its figures and a closing "N passed, N failed" line;
// exits 1 when anything failed.
//
//   reliability [--phases caller,driver,threads,leaks] [--threads-seconds N]
//
// The leak phase measures heap bytes, which Wine's free checking distorts
// (freed blocks wait in a queue before they are reused), so the test command
// runs it in a process of its own without heap checking.
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <memory>
#include <string>

#include "registry_snapshot.h"
#include "suite.h"

using namespace qlrel;

namespace {

std::unique_ptr<RegistrySnapshot> g_registry;

void RestoreRegistry() {
    if (g_registry && !g_registry->restore()) printf("FAILED: the client's registry keys could not be put back\n");
}

void Summarize(Suite& suite) {
    Tally& t = suite.tally();
    printf("\ncalls %llu, faults %llu, other damage %llu, slow calls (> %.0f ms) %llu, hangs %llu, torn answers "
           "%llu, heap damage %llu; slowest call %.1f ms (%s)\n",
           static_cast<unsigned long long>(t.calls.load()), static_cast<unsigned long long>(t.faults.load()),
           static_cast<unsigned long long>(t.problems.load()), kCallBoundMs,
           static_cast<unsigned long long>(t.slowCalls.load()), static_cast<unsigned long long>(t.hangs.load()),
           static_cast<unsigned long long>(t.torn.load()),
           static_cast<unsigned long long>(t.heapDamage.load()), t.slowestMs, t.slowest.c_str());
    printf("%llu passed, %llu failed\n", static_cast<unsigned long long>(t.passed.load()),
           static_cast<unsigned long long>(t.failed.load()));
    fflush(stdout);
}

Suite* g_suite;

void OnHang() {
    ++g_suite->tally().hangs;
    ++g_suite->tally().failed;
    RestoreRegistry();
    Summarize(*g_suite);
    ExitProcess(1);
}

// Whether Wine checks the heaps' tails: a byte written past a block must
// make HeapValidate fail.
bool HeapTailCheckingOn() {
    HANDLE heap = HeapCreate(0, 0, 0);
    auto* block = static_cast<unsigned char*>(HeapAlloc(heap, 0, 13));
    block[13] = 0x5A;
    const bool caught = !HeapValidate(heap, 0, nullptr);
    HeapDestroy(heap);
    return caught;
}

void Phase(Suite& suite, const char* title, void (*run)(Suite&)) {
    printf("== %s\n", title);
    fflush(stdout);
    run(suite);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    unsigned threadSeconds = 20;
    std::wstring phases = L"caller,driver,threads,leaks";
    for (int i = 1; i + 1 < argc; ++i) {
        if (wcscmp(argv[i], L"--threads-seconds") == 0) threadSeconds = unsigned(_wtoi(argv[++i]));
        else if (wcscmp(argv[i], L"--phases") == 0) phases = argv[++i];
    }
    auto wanted = [&](const wchar_t* phase) { return phases.find(phase) != std::wstring::npos; };
    setvbuf(stdout, nullptr, _IOLBF, 1 << 16);

    Suite suite;
    g_suite = &suite;
    if (!suite.sim().isOpen()) {
        printf("the simulated client is not running: run 'qlsim install' and 'qlsim start' first\n");
        return 1;
    }
    g_registry = std::make_unique<RegistrySnapshot>(QLREL_RESTORED_KEYS);
    InstallFaultTrap();
    SetPendingCompleter([] {
        qlsim::SimControl control;
        uint32_t pending = 0;
        control.completePending();
        return control.pendingCount(pending) && pending > 0;
    });
    // Wine reports the block the check damages on purpose ("invalid block tail").
    printf("heap tail checking: %s (any heap error Wine printed just now is this check's own); %zu registry "
           "keys saved\n",
           HeapTailCheckingOn() ? "on" : "off", g_registry->keyCount());

    // Every export listed must be described, every description listed.
    printf("== exports\n");
    HMODULE library = LoadLibraryW(L"qlclapi.dll");
    if (!library) {
        printf("cannot load qlclapi.dll, error %lu\n", GetLastError());
        return 1;
    }
    std::string unlisted;
    for (const ExportEntry& entry : Exports()) {
        std::string problem;
        void* function = reinterpret_cast<void*>(GetProcAddress(library, entry.name.c_str()));
        if (!entry.listed) {
            // Shapes may be written before their family's list lands.
            unlisted += " " + entry.name;
            continue;
        }
        if (!entry.described)
            problem = "no argument shapes: describe it in api/exports/*.shapes";
        else if (!function)
            problem = "qlclapi.dll does not export it";
        else
            problem = ShapeProblem(entry);
        suite.check("exports", entry.name, problem);
        if (problem.empty()) suite.targets().push_back({&entry, function, {}, false, 0});
    }
    printf("  %zu exports called\n", suite.targets().size());
    if (!unlisted.empty()) printf("  described in api/exports/*.shapes, in no export list yet:%s\n", unlisted.c_str());

    suite.startWatchdog(60, OnHang);
    Phase(suite, "discovery: one benign call each, the requests it sends", DiscoverTargets);
    if (wanted(L"caller")) Phase(suite, "hostile caller", RunHostileCaller);
    if (wanted(L"driver")) Phase(suite, "hostile driver", RunHostileDriver);
    if (wanted(L"threads")) {
        printf("== threads\n");
        RunThreads(suite, threadSeconds);
    }
    if (wanted(L"leaks")) Phase(suite, "leaks", RunLeaks);
    suite.targets().clear();
    FreeLibrary(library);
    if (wanted(L"leaks")) Phase(suite, "load and unload", RunLoadCycles);
    suite.sim().reset();
    RestoreRegistry();
    Summarize(suite);
    return suite.tally().failed ? 1 : 0;
}
