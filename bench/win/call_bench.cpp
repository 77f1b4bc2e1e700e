// qlbench: what each library call costs beyond the device requests it
// makes. Every case is timed in the same run as the baseline, a raw
// DeviceIoControl round trip to \\.\QLDRV, and reported as a ratio to it;
// absolute times under Wine say little, ratios say how much the library adds.
#include <windows.h>
#include <oleauto.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "bench/common/interleaved.h"
#include "qlclapi.h"

namespace {

using bench::Case;

template <typename Function>
Function Resolve(HMODULE library, const char* name) {
    auto entry = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
    if (!entry) {
        fprintf(stderr, "qlbench: qlclapi.dll does not export %s\n", name);
        ExitProcess(3);
    }
    return entry;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    int iterations = argc > 1 ? _wtoi(argv[1]) : 2000;
    if (iterations <= 0) {
        fprintf(stderr, "usage: qlbench [ITERATIONS]\n");
        return 2;
    }
    HMODULE library = LoadLibraryW(L"qlclapi.dll");
    HANDLE device = CreateFileW(L"\\\\.\\QLDRV", 0, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (!library || device == INVALID_HANDLE_VALUE) {
        fprintf(stderr, "qlbench: needs qlclapi.dll beside it and the simulated client running\n");
        return 1;
    }
    auto getState = Resolve<PFN_QuorlanGetConnectionState>(library, "QuorlanGetConnectionState");
    auto enable = Resolve<PFN_QuorlanEnable>(library, "QuorlanEnable");
    BSTR text = SysAllocString(L"");

    std::vector<Case> cases = {
        {"raw DeviceIoControl (baseline)", 1,
         [&] {
             DWORD state = 0, returned = 0;
             DeviceIoControl(device, 0x22244F, nullptr, 0, &state, sizeof state, &returned, nullptr);
         }},
        {"QuorlanGetConnectionState", 2, [&] { getState(); }},
        {"QuorlanEnable", 1, [&] { enable(); }},
    };
    // A rule-B twin (text out through a BSTR), when the library has one.
    if (auto addressText = reinterpret_cast<UINT(__stdcall*)(BSTR*)>(
            reinterpret_cast<void*>(GetProcAddress(library, "QuorlanGetVirtualAddressExVB"))))
        cases.push_back({"QuorlanGetVirtualAddressExVB (rule B)", 1, [&, addressText] { addressText(&text); }});

    std::vector<double> perCall = bench::MeasureInterleaved(cases, iterations);
    printf("%-40s %12s %10s %14s\n", "call", "us/call", "ratio", "ratio/request");
    for (size_t i = 0; i < cases.size(); ++i)
        printf("%-40s %12.2f %10.2f %14.2f\n", cases[i].name, perCall[i], perCall[i] / perCall[0],
               perCall[i] / perCall[0] / cases[i].requests);
    SysFreeString(text);
    CloseHandle(device);
    FreeLibrary(library);
    return 0;
}
