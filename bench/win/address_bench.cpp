// qladdrbench: this library's address grammar against the platform's own
// text conversions (RtlIpv4/6StringToAddressExW, RtlIpv4/6AddressToStringExW)
// on the corpus the native benchmark uses, as ratios of time in one run.
// Under Wine the platform side is Wine's ntdll, not Windows'.
#include <winsock2.h>
#include <ws2ipdef.h>
// mingw's mstcpip.h declares the Rtl conversions without C linkage.
extern "C" {
#include <mstcpip.h>
}

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "address/address_text.h"
#include "bench/common/address_corpus.h"
#include "bench/common/stopwatch.h"

namespace {

constexpr int kRounds = 9;

struct Family {
    bool ipv6;
    std::vector<std::wstring> texts;
    std::vector<SilAddressRecord> records;
    std::vector<IN_ADDR> v4;
    std::vector<IN6_ADDR> v6;
};

Family Load(bool ipv6) {
    Family f{ipv6, {}, {}, {}, {}};
    for (const std::string& text : bench::AddressCorpusTexts(ipv6)) {
        f.texts.emplace_back(text.begin(), text.end());
        SilAddressRecord record;
        ParseAddressText(f.texts.back().c_str(), &record, nullptr, 0);
        f.records.push_back(record);
        IN_ADDR a4{};
        IN6_ADDR a6{};
        memcpy(&a4, &record.v4.address, 4);
        memcpy(&a6, record.v6.address, 16);
        f.v4.push_back(a4);
        f.v6.push_back(a6);
    }
    return f;
}

// Median over interleaved rounds of the time per address, in nanoseconds,
// for a pair of operations taking turns.
void Compare(const char* what, const std::function<unsigned()>& ours, const std::function<unsigned()>& platform,
             int repeats) {
    std::vector<double> a, b;
    volatile unsigned sink = 0;
    for (int round = 0; round < kRounds; ++round) {
        for (int pass = 0; pass < 2; ++pass) {
            const auto& op = pass == 0 ? ours : platform;
            double start = bench::NowMicroseconds();
            for (int r = 0; r < repeats; ++r) sink = sink + op();
            double perAddress = (bench::NowMicroseconds() - start) * 1000.0 / (repeats * bench::kCorpusSize);
            (pass == 0 ? a : b).push_back(perAddress);
        }
    }
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    const double mineNs = a[kRounds / 2], theirsNs = b[kRounds / 2];
    printf("%-14s %10.1f %10.1f %8.2f\n", what, mineNs, theirsNs, mineNs / theirsNs);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int repeats = argc > 1 ? _wtoi(argv[1]) : 200;
    if (repeats <= 0) {
        fprintf(stderr, "usage: qladdrbench [REPEATS]\n");
        return 2;
    }
    printf("%-14s %10s %10s %8s\n", "operation", "ours ns", "Rtl ns", "ratio");
    for (bool ipv6 : {false, true}) {
        const Family f = Load(ipv6);
        Compare(ipv6 ? "parse v6" : "parse v4",
                [&] {
                    unsigned sum = 0;
                    SilAddressRecord record;
                    for (const auto& t : f.texts) sum += ParseAddressText(t.c_str(), &record, nullptr, 0) + record.port;
                    return sum;
                },
                [&] {
                    unsigned sum = 0;
                    IN_ADDR a4;
                    IN6_ADDR a6;
                    ULONG scope;
                    USHORT port;
                    for (const auto& t : f.texts)
                        sum += ipv6 ? RtlIpv6StringToAddressExW(t.c_str(), &a6, &scope, &port)
                                    : RtlIpv4StringToAddressExW(t.c_str(), TRUE, &a4, &port);
                    return sum;
                },
                repeats);
        Compare(ipv6 ? "format v6" : "format v4",
                [&] {
                    unsigned sum = 0;
                    wchar_t text[kAddressTextCapacity];
                    for (const auto& r : f.records) sum += FormatAddressText(&r, text, kAddressTextCapacity, nullptr, 0) + text[1];
                    return sum;
                },
                [&] {
                    unsigned sum = 0;
                    wchar_t text[64];
                    for (size_t i = 0; i < f.records.size(); ++i) {
                        ULONG length = 64;
                        sum += ipv6 ? RtlIpv6AddressToStringExW(&f.v6[i], 0, 0, text, &length)
                                    : RtlIpv4AddressToStringExW(&f.v4[i], 0, text, &length);
                        sum += text[1];
                    }
                    return sum;
                },
                repeats);
    }
    printf("(nanoseconds per address, median of %d interleaved rounds; ratio = ours / Rtl, below 1 is faster)\n",
           kRounds);
    return 0;
}
