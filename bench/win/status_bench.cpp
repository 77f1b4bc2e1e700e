// qlstatusbench: what QuorlanGetConnectionStateString costs beyond the
// device requests it makes, in the idle, connected (with the details
// record) and disconnected states, with no language module (the search for
// one still runs and fails) and with the pseudo-locale module beside the
// library (found, loaded, its version checked, freed, on every call). The
// baseline of each state is the same requests made raw with DeviceIoControl
// in the same run.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "bench/common/interleaved.h"
#include "qlclapi.h"
#include "sim_control.h"
#include "sim_records.h"

namespace {

struct Condition {
    const char* name;
    int32_t state;
    uint32_t disconnected;
    std::vector<uint32_t> requests;  // as the library makes them
};

const Condition kConditions[] = {
    {"idle (1)", 1, 0, {0x2224D3, 0x22244F, 0x22255F, 0x2224B7, 0x22265B}},
    {"connected (3), details", 3, 0, {0x2224D3, 0x22244F, 0x22255F, 0x2224B7, 0x22265B, 0x22245F}},
    {"disconnected (5)", 5, 1, {0x2224D3, 0x22255F, 0x2224B7, 0x22265B}},
};

struct Case {
    const char* name;
    std::function<void()> call;
    std::function<void()> prepare;  // before each of its batches, untimed
};

// As bench::MeasureInterleaved, with each case's state and language set
// before each of its batches.
std::vector<double> MeasurePrepared(const std::vector<Case>& cases, int iterations) {
    std::vector<std::vector<double>> rounds(cases.size());
    for (int round = 0; round < bench::kRounds; ++round)
        for (size_t i = 0; i < cases.size(); ++i) {
            cases[i].prepare();
            rounds[i].push_back(bench::MeasureBatch(cases[i].call, iterations));
        }
    std::vector<double> medians;
    for (auto& r : rounds) {
        std::sort(r.begin(), r.end());
        medians.push_back(r[bench::kRounds / 2]);
    }
    return medians;
}

bool SetLanguage(const wchar_t* language) {
    HKEY key;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Quorlan", 0, nullptr, 0, KEY_SET_VALUE | KEY_WOW64_64KEY,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    LSTATUS status = language ? RegSetValueExW(key, L"Language", 0, REG_SZ, reinterpret_cast<const BYTE*>(language),
                                               DWORD((wcslen(language) + 1) * sizeof(wchar_t)))
                              : RegDeleteValueW(key, L"Language");
    RegCloseKey(key);
    return status == ERROR_SUCCESS || (!language && status == ERROR_FILE_NOT_FOUND);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int iterations = argc > 1 ? _wtoi(argv[1]) : 300;
    if (iterations <= 0) {
        fprintf(stderr, "usage: qlstatusbench [ITERATIONS]\n");
        return 2;
    }
    HMODULE library = LoadLibraryW(L"qlclapi.dll");
    HANDLE device = CreateFileW(L"\\\\.\\QLDRV", 0, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    qlsim::SimControl sim;
    auto getText = library ? reinterpret_cast<PFN_QuorlanGetConnectionStateString>(reinterpret_cast<void*>(
                                 GetProcAddress(library, "QuorlanGetConnectionStateString")))
                           : nullptr;
    if (!getText || device == INVALID_HANDLE_VALUE || !sim.isOpen()) {
        fprintf(stderr, "qlstatusbench: needs qlclapi.dll (with qps-ploc\\) beside it and the simulated client\n");
        return 1;
    }
    sim.setRecord(QLSIM_RECORD_CONNECTION_DETAILS, qlsim::ConnectionDetailsBytes({u"alice", u"PC-7", 0, 0}));

    std::vector<Case> cases;
    for (const Condition& c : kConditions) {
        const auto setState = [&sim, &c] {
            sim.updateState([&c](QlSimState& s) {
                s.connectionState = c.state;
                s.disconnected = c.disconnected;
                s.disconnectReason = 51;
            });
        };
        cases.push_back({"raw requests",
                         [device, &c] {
                             uint8_t answer[1088];
                             DWORD returned = 0;
                             for (uint32_t code : c.requests)
                                 DeviceIoControl(device, code, nullptr, 0, answer, code == 0x22245F ? 1088 : 4,
                                                 &returned, nullptr);
                         },
                         [setState] {
                             SetLanguage(nullptr);
                             setState();
                         }});
        const auto call = [getText] {
            wchar_t text[1024];
            QlUInt32 length = sizeof text;
            getText(text, &length);
        };
        cases.push_back({"no module (search fails)", call, [setState] {
                             SetLanguage(nullptr);
                             setState();
                         }});
        cases.push_back({"qps-ploc module", call, [setState] {
                             SetLanguage(L"qps-ploc");
                             setState();
                         }});
    }
    const std::vector<double> perCall = MeasurePrepared(cases, iterations);
    SetLanguage(nullptr);

    printf("%-24s %-26s %10s %8s\n", "state", "case", "us/call", "ratio");
    for (size_t i = 0; i < cases.size(); ++i) {
        const size_t raw = i / 3 * 3;
        printf("%-24s %-26s %10.2f %8.2f\n", i % 3 ? "" : kConditions[i / 3].name, cases[i].name, perCall[i],
               perCall[i] / perCall[raw]);
    }
    printf("\nwhat the module search adds (no module - raw) and the module load adds (qps-ploc - no module):\n");
    for (size_t c = 0; c < std::size(kConditions); ++c)
        printf("%-24s search %8.2f us   load %8.2f us\n", kConditions[c].name, perCall[3 * c + 1] - perCall[3 * c],
               perCall[3 * c + 2] - perCall[3 * c + 1]);
    CloseHandle(device);
    FreeLibrary(library);
    return 0;
}
