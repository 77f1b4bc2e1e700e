// qldiagbench: what the diagnostics calls cost beyond the round trips they
// make, as ratios to baselines timed in the same run:
//   - one QuorlanSetCustomTag exchange against a raw CallNamedPipeW of the
//     same request bytes to the same (simulated) diagnostics service;
//   - ReadSettingDword from each settings store against the raw registry
//     reads that read needs at the least (CurrentSubkey, the cookie, the
//     value or the blob).
// It writes the stores it reads (setting A_DIAG_EnableClientReports in both)
// and needs the simulated diagnostics service running.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/common/interleaved.h"
#include "config/settings_store_win.h"
#include "diag/diag_pipe.h"
#include "qlclapi.h"

namespace {

using bench::Case;

const wchar_t kStatePath[] = L"SYSTEM\\CurrentControlSet\\Services\\QLDRV\\Params\\Vorantis Client State";

std::wstring CurrentPath() {
    wchar_t name[128] = L"";
    DWORD bytes = sizeof name - sizeof(wchar_t);
    RegGetValueW(HKEY_LOCAL_MACHINE, kStatePath, L"CurrentSubkey", RRF_RT_REG_SZ, nullptr, name, &bytes);
    return std::wstring(kStatePath) + L"\\" + name;
}

bool Write(const std::wstring& path, const wchar_t* name, DWORD type, const void* data, DWORD bytes) {
    HKEY key;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr)) return false;
    LONG status = RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), bytes);
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

// The stores as the client writes them: CurrentSubkey, "1" in the text
// store, a blob of 40 entries with the setting last in the binary store.
bool WriteStores() {
    const wchar_t current[] = L"Current";
    if (!Write(kStatePath, L"CurrentSubkey", REG_SZ, current, sizeof current)) return false;
    const std::wstring path = CurrentPath();
    std::vector<uint32_t> words = {0, 40};
    for (uint32_t i = 0; i < 40; ++i) words.insert(words.end(), {i == 39 ? 24850u : 1000 + i, 0, 4});
    for (uint32_t i = 0; i < 40; ++i) words.push_back(1);
    return Write(path + L"\\Settings", L"00006112", REG_SZ, L"1", 4) &&
           Write(path, L"RpcSettings", REG_BINARY, words.data(), DWORD(words.size() * 4));
}

void UseTextStore(bool text) {
    const std::wstring settings = CurrentPath() + L"\\Settings";
    if (text) {
        const uint8_t cookie[4] = {1, 2, 3, 4};
        Write(settings, L"Cookie", REG_BINARY, cookie, 4);
    } else {
        RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, settings.c_str(), L"Cookie");
    }
}

// The least a reader of either store must do: find the current key through
// CurrentSubkey, look at the cookie, and read the value or the blob.
void RawRead(bool text, std::vector<uint8_t>& blob) {
    HKEY state, settings, current;
    wchar_t name[128];
    DWORD bytes = sizeof name;
    RegOpenKeyExW(HKEY_LOCAL_MACHINE, kStatePath, 0, KEY_READ, &state);
    RegQueryValueExW(state, L"CurrentSubkey", nullptr, nullptr, reinterpret_cast<BYTE*>(name), &bytes);
    RegOpenKeyExW(state, name, 0, KEY_READ, &current);
    RegOpenKeyExW(current, L"Settings", 0, KEY_READ, &settings);
    DWORD cookie = 0;
    RegQueryValueExW(settings, L"Cookie", nullptr, nullptr, nullptr, &cookie);
    if (text) {
        wchar_t value[12];
        bytes = sizeof value;
        RegQueryValueExW(settings, L"00006112", nullptr, nullptr, reinterpret_cast<BYTE*>(value), &bytes);
    } else {
        bytes = DWORD(blob.size());
        RegQueryValueExW(current, L"RpcSettings", nullptr, nullptr, blob.data(), &bytes);
    }
    RegCloseKey(settings);
    RegCloseKey(current);
    RegCloseKey(state);
}

void Print(const std::vector<Case>& cases, const std::vector<double>& perCall) {
    for (size_t i = 0; i < cases.size(); ++i)
        printf("%-52s %10.2f %8.2f\n", cases[i].name, perCall[i], perCall[i] / perCall[0]);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int iterations = argc > 1 ? _wtoi(argv[1]) : 300;
    if (iterations <= 0) {
        fprintf(stderr, "usage: qldiagbench [ITERATIONS]\n");
        return 2;
    }
    HMODULE library = LoadLibraryW(L"qlclapi.dll");
    auto setTag = library ? reinterpret_cast<PFN_QuorlanSetCustomTag>(
                                reinterpret_cast<void*>(GetProcAddress(library, "QuorlanSetCustomTag")))
                          : nullptr;
    if (!setTag || !WaitNamedPipeW(qlclapi::kDiagPipeName, 5000) || !WriteStores()) {
        fprintf(stderr, "qldiagbench: needs qlclapi.dll beside it and the simulated diagnostics service running\n");
        return 1;
    }
    // The bytes the library sends for the call timed below.
    const std::string request = R"({"key":"bench","type":"customEvent","value":"value"})";
    char reply[10000];
    printf("%-52s %10s %8s\n", "call", "us/call", "ratio");
    std::vector<Case> exchange = {
        {"raw CallNamedPipeW, same request (baseline)", 1,
         [&] {
             DWORD read = 0;
             CallNamedPipeW(qlclapi::kDiagPipeName, const_cast<char*>(request.data()), DWORD(request.size()), reply,
                            sizeof reply, &read, NMPWAIT_WAIT_FOREVER);
         }},
        {"QuorlanSetCustomTag", 1, [&] { setTag(L"bench", L"value"); }},
    };
    Print(exchange, bench::MeasureInterleaved(exchange, iterations));

    std::vector<uint8_t> blob(8 + 80 * 12);
    for (bool text : {true, false}) {
        UseTextStore(text);
        std::vector<Case> reads = {
            {text ? "raw registry reads, text store (baseline)" : "raw registry reads, binary store (baseline)", 1,
             [&] { RawRead(text, blob); }},
            {text ? "ReadSettingDword, text store" : "ReadSettingDword, binary store", 1,
             [] {
                 uint32_t value = 0;
                 qlclapi::ReadSettingDword(24850, &value, 0);
             }},
        };
        Print(reads, bench::MeasureInterleaved(reads, iterations * 4));
    }
    FreeLibrary(library);
    return 0;
}
