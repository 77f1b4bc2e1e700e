// qlconfigbench: what the configuration store adds to the registry calls it
// wraps, as ratios against the raw calls timed in the same run.
//  - a 1 MiB chunked write and read (16 pieces of 64 KiB, the key opened and
//    closed by each call) against one RegSetValueExW and one
//    RegQueryValueExW of the same 1 MiB on an open key, and against the
//    same with the key opened and closed around each call;
//  - QuorlanGetServerAddressEx (read, parse, socket address) against the
//    RegOpenKeyW + RegQueryValueExW + RegCloseKey it needs.
// The client's keys are laid down by the simulated client and taken away
// afterwards; no driver is needed.
#include <windows.h>

#include <cstdio>
#include <vector>

#include "bench/common/interleaved.h"
#include "config/client_key_win.h"
#include "qlclapi.h"
#include "sim_config.h"

namespace {

constexpr uint32_t kMiB = 1u << 20;

struct Row {
    const char* name;
    const char* note;
    std::function<void()> call;
};

// Ratios against the first row, the baseline.
void Print(const std::vector<Row>& rows, const std::vector<double>& perCall) {
    for (size_t i = 0; i < rows.size(); ++i)
        printf("%-52s %12.2f %10.2f  %s\n", rows[i].name, perCall[i], perCall[i] / perCall[0], rows[i].note);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    int iterations = argc > 1 ? _wtoi(argv[1]) : 40;
    if (iterations <= 0) {
        fprintf(stderr, "usage: qlconfigbench [ITERATIONS]\n");
        return 2;
    }
    HMODULE library = LoadLibraryW(L"qlclapi.dll");
    auto getServer = library ? reinterpret_cast<PFN_QuorlanGetServerAddressEx>(
                                   reinterpret_cast<void*>(GetProcAddress(library, "QuorlanGetServerAddressEx")))
                             : nullptr;
    if (!getServer || qlsim::RemoveClientKeys() || qlsim::InstallClientKeys() ||
        qlsim::WriteText(qlsim::kClientParamsKey, L"VmsAddress", L"203.0.113.9:443")) {
        fprintf(stderr, "qlconfigbench: needs qlclapi.dll beside it and a writable registry\n");
        return 1;
    }
    HKEY params = nullptr;
    RegOpenKeyW(HKEY_LOCAL_MACHINE, qlsim::kClientParamsKey, &params);
    std::vector<uint8_t> data = qlsim::PatternBytes(kMiB), back(kMiB);

    std::vector<Row> chunked = {
        {"raw RegSetValueExW + RegQueryValueExW, 1 MiB", "(baseline)", [&] {
             RegSetValueExW(params, L"Raw", 0, REG_BINARY, data.data(), kMiB);
             DWORD size = kMiB;
             RegQueryValueExW(params, L"Raw", nullptr, nullptr, back.data(), &size);
         }},
        {"the same, key opened and closed around each", "(what the library also does)", [&] {
             HKEY key;
             RegOpenKeyW(HKEY_LOCAL_MACHINE, qlsim::kClientParamsKey, &key);
             RegSetValueExW(key, L"Raw", 0, REG_BINARY, data.data(), kMiB);
             RegCloseKey(key);
             RegOpenKeyW(HKEY_LOCAL_MACHINE, qlsim::kClientParamsKey, &key);
             DWORD size = kMiB;
             RegQueryValueExW(key, L"Raw", nullptr, nullptr, back.data(), &size);
             RegCloseKey(key);
         }},
        {"WriteClientBinary + ReadClientBinary, 1 MiB chunked", "(goal: at most 1.2)", [&] {
             qlclapi::WriteClientBinary(data.data(), kMiB, L"Chunked", nullptr, qlclapi::kClientParams);
             uint32_t size = kMiB;
             qlclapi::ReadClientBinary(back.data(), &size, L"Chunked", nullptr, qlclapi::kClientParams);
         }},
    };
    std::vector<Row> address = {
        {"raw RegOpenKeyW + RegQueryValueExW + RegCloseKey", "(baseline)", [&] {
             HKEY key;
             wchar_t text[80];
             DWORD size = sizeof text;
             RegOpenKeyW(HKEY_LOCAL_MACHINE, qlsim::kClientParamsKey, &key);
             RegQueryValueExW(key, L"VmsAddress", nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size);
             RegCloseKey(key);
         }},
        {"QuorlanGetServerAddressEx", "(goal: at most 1.1)", [&] {
             unsigned char socketAddress[28];
             getServer(socketAddress);
         }},
    };

    auto calls = [](const std::vector<Row>& rows) {
        std::vector<std::function<void()>> list;
        for (const auto& row : rows) list.push_back(row.call);
        return list;
    };
    std::vector<double> chunkedTimes = bench::MeasureInterleaved(calls(chunked), iterations);
    std::vector<double> addressTimes = bench::MeasureInterleaved(calls(address), iterations * 50);
    printf("%-52s %12s %10s\n", "call", "us/call", "ratio");
    Print(chunked, chunkedTimes);
    Print(address, addressTimes);
    printf("(median of %d interleaved rounds)\n", bench::kRounds);

    RegCloseKey(params);
    qlsim::RemoveClientKeys();
    FreeLibrary(library);
    return 0;
}
