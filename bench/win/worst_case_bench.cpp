// qlworstbench: what a lying driver costs a caller. The driver claims to
// have filled every interface-table buffer the library offers, so the
// library keeps asking with larger buffers until its bound stops it. Timed
// against the same call answered by an honest driver with a one-interface
// table, and against one raw request of the largest buffer the library
// offered, in the same run.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "bench/common/stopwatch.h"
#include "qlclapi.h"
#include "sim_control.h"
#include "sim_records.h"

namespace {

constexpr uint32_t kInterfaceTableRequest = 0x2224BF;

// Median of `rounds` calls, in milliseconds.
double MedianMilliseconds(const std::function<void()>& call, int rounds) {
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        double start = bench::NowMicroseconds();
        call();
        times.push_back((bench::NowMicroseconds() - start) / 1000.0);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

struct TableRequests {
    size_t count = 0;
    uint32_t largest = 0;
    uint64_t bytes = 0;
};

TableRequests CountTableRequests(qlsim::SimControl& sim) {
    std::vector<QlSimJournalEntry> entries;
    TableRequests seen;
    sim.readJournal(entries);
    for (const auto& e : entries)
        if (e.event == QLSIM_EVENT_REQUEST && e.code == kInterfaceTableRequest) {
            ++seen.count;
            seen.largest = std::max(seen.largest, e.outLength);
            seen.bytes += e.outLength;
        }
    return seen;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int rounds = argc > 1 ? _wtoi(argv[1]) : 5;
    if (rounds <= 0) {
        fprintf(stderr, "usage: qlworstbench [ROUNDS]\n");
        return 2;
    }
    qlsim::SimControl sim;
    HMODULE library = LoadLibraryW(L"qlclapi.dll");
    HANDLE device = CreateFileW(L"\\\\.\\QLDRV", 0, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (!sim.isOpen() || !library || device == INVALID_HANDLE_VALUE) {
        fprintf(stderr, "qlworstbench: needs qlclapi.dll beside it and the simulated client running\n");
        return 1;
    }
    auto networkType = reinterpret_cast<PFN_QuorlanGetPointOfPresenceNetworkType>(
        reinterpret_cast<void*>(GetProcAddress(library, "QuorlanGetPointOfPresenceNetworkType")));
    if (!networkType) return 3;

    const qlsim::AddressRecord presence = qlsim::IPv4Record(10, 1, 2, 3, 5008);
    qlsim::SimInterface carrier;
    carrier.name = u"eth0";
    carrier.addresses = {presence};
    sim.reset();
    sim.setRecord(QLSIM_RECORD_SERVER_ADDRESSES,
                  qlsim::ServerRecordsBytes(qlsim::IPv4Record(203, 0, 113, 9, 443), presence));
    sim.setRecord(QLSIM_RECORD_INTERFACE_TABLE, qlsim::InterfaceTableBytes({carrier}));

    const double honest = MedianMilliseconds([&] { networkType(); }, rounds);
    sim.setRule(kInterfaceTableRequest, QLSIM_RULE_FILL);
    sim.clearJournal();
    networkType();
    const TableRequests seen = CountTableRequests(sim);
    const double lying = MedianMilliseconds([&] { networkType(); }, rounds);
    std::vector<unsigned char> largest(seen.largest);
    const double raw = MedianMilliseconds(
        [&] {
            DWORD returned = 0;
            DeviceIoControl(device, kInterfaceTableRequest, nullptr, 0, largest.data(), DWORD(largest.size()),
                            &returned, nullptr);
        },
        rounds);
    sim.reset();

    printf("a driver that fills every interface-table buffer: %zu requests, %llu bytes offered, largest %u\n",
           seen.count, static_cast<unsigned long long>(seen.bytes), seen.largest);
    printf("%-52s %10s %8s\n", "call", "ms", "ratio");
    printf("%-52s %10.2f %8.2f\n", "network type, honest driver (baseline)", honest, 1.0);
    printf("%-52s %10.2f %8.2f\n", "raw request of the largest buffer", raw, raw / honest);
    printf("%-52s %10.2f %8.2f\n", "network type, driver filling every buffer", lying, lying / honest);
    CloseHandle(device);
    FreeLibrary(library);
    return 0;
}
