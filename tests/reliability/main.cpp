// reliability.exe [--phases caller,driver,threads,leaks] [--threads-seconds N]:
// every export of qlclapi.dll against a hostile caller, a hostile driver,
// sixteen threads and long loops, the process heaps validated after each
// hostile call (with Wine's heap checking on: WINEDEBUG=warn+heap; not for
// the leak phase, as freed blocks then wait in a queue and read as growth).
// Needs the simulated client running; closes with "N passed, N failed".
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <functional>
#include <string>

#include "registry_snapshot.h"
#include "suite.h"

using namespace qlrel;

namespace {

void RestoreRegistry() {
    if (!RestoreRegistryKeys()) printf("FAILED: the client's registry keys could not be put back\n");
}

void Summarize(Suite& suite) {
    Tally& t = suite.tally();
    printf("\n%" PRIu64 " calls\n%" PRIu64 " passed, %" PRIu64 " failed\n", t.calls.load(), t.passed.load(),
           t.failed.load());
    fflush(stdout);
}

Suite* g_suite;
unsigned g_threadSeconds = 20;

void OnHang() {
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

// A phase, its calls counted; it leaves the simulated client as it found it.
void Phase(Suite& suite, const char* title, const std::function<void(Suite&)>& run) {
    printf("== %s\n", title);
    fflush(stdout);
    const uint64_t before = suite.tally().calls;
    run(suite);
    suite.sim().reset();
    printf("  %" PRIu64 " calls\n", suite.tally().calls - before);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::wstring phases = L"caller,driver,threads,leaks";
    for (int i = 1; i + 1 < argc; ++i) {
        if (wcscmp(argv[i], L"--threads-seconds") == 0) g_threadSeconds = unsigned(_wtoi(argv[++i]));
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
    const size_t savedKeys = SaveRegistryKeys(QLREL_RESTORED_KEYS);
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
           HeapTailCheckingOn() ? "on" : "off", savedKeys);

    // Every export listed must be described, every description listed.
    printf("== exports\n");
    HMODULE library = LoadLibraryW(L"qlclapi.dll");
    if (!library) {
        printf("cannot load qlclapi.dll, error %lu\n", GetLastError());
        return 1;
    }
    std::string unlisted;  // shapes may be written before their family's list lands
    for (const ExportEntry& entry : Exports()) {
        void* function = reinterpret_cast<void*>(GetProcAddress(library, entry.name.c_str()));
        std::string problem = !entry.described ? "no argument shapes: describe it in api/exports/*.shapes"
                              : !function      ? "qlclapi.dll does not export it"
                                               : ShapeProblem(entry);
        if (!entry.listed)
            unlisted += " " + entry.name;
        else
            suite.check("exports", entry.name, problem);
        if (entry.listed && problem.empty()) suite.targets().push_back({&entry, function, {}, false, 0});
    }
    printf("  %zu exports called\n", suite.targets().size());
    if (!unlisted.empty()) printf("  described in api/exports/*.shapes, in no export list yet:%s\n", unlisted.c_str());

    suite.startWatchdog(60, OnHang);
    Phase(suite, "discovery: one benign call each, the requests it sends", DiscoverTargets);
    if (wanted(L"caller")) Phase(suite, "hostile caller", RunHostileCaller);
    if (wanted(L"driver")) Phase(suite, "hostile driver", RunHostileDriver);
    if (wanted(L"threads")) Phase(suite, "threads", [](Suite& s) { RunThreads(s, g_threadSeconds); });
    if (wanted(L"leaks")) Phase(suite, "leaks", RunLeaks);
    suite.targets().clear();
    FreeLibrary(library);
    if (wanted(L"leaks")) Phase(suite, "load and unload", RunLoadCycles);
    RestoreRegistry();
    Summarize(suite);
    return suite.tally().failed ? 1 : 0;
}
