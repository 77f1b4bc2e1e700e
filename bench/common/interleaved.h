// Timing cases that take turns round by round, so that a slow spell of the
// machine falls on all of them alike; each case's figure is its median round.
#pragma once

#include <algorithm>
#include <functional>
#include <vector>

#include "bench/common/stopwatch.h"

namespace bench {

constexpr int kRounds = 9;

// Mean time per call over one batch, in microseconds.
inline double MeasureBatch(const std::function<void()>& call, int iterations) {
    double start = NowMicroseconds();
    for (int i = 0; i < iterations; ++i) call();
    return (NowMicroseconds() - start) / iterations;
}

struct Case {
    const char* name;
    int requests;  // round trips one call makes (device requests, pipe exchanges, registry reads)
    std::function<void()> call;
};

// Median microseconds per call of each of `calls`, measured interleaved.
inline std::vector<double> MeasureInterleaved(const std::vector<std::function<void()>>& calls, int iterations) {
    std::vector<std::vector<double>> rounds(calls.size());
    for (int round = 0; round < kRounds; ++round)
        for (size_t i = 0; i < calls.size(); ++i) rounds[i].push_back(MeasureBatch(calls[i], iterations));
    std::vector<double> medians;
    for (auto& r : rounds) {
        std::sort(r.begin(), r.end());
        medians.push_back(r[kRounds / 2]);
    }
    return medians;
}

inline std::vector<double> MeasureInterleaved(const std::vector<Case>& cases, int iterations) {
    std::vector<std::function<void()>> calls;
    for (const auto& c : cases) calls.push_back(c.call);
    return MeasureInterleaved(calls, iterations);
}

}  // namespace bench
