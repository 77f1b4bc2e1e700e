// Timing cases against a baseline in one run: the cases take turns batch by
// batch, so that a slow spell of the machine falls on all of them alike, and
// each case's figure is its median batch.
#pragma once

#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

#include "bench/common/stopwatch.h"

namespace bench {

struct TimedCase {
    TimedCase(const char* name, int requests, std::function<void()> call, std::function<void()> prepare = {})
        : name(name), requests(requests), call(std::move(call)), prepare(std::move(prepare)) {}

    const char* name;
    int requests;                   // device requests one call makes
    std::function<void()> call;
    std::function<void()> prepare;  // before each of its batches, untimed; may be empty
};

// Mean time per call of each case in microseconds, median over `rounds`.
inline std::vector<double> MeasureInterleaved(const std::vector<TimedCase>& cases, int iterations, int rounds = 9) {
    std::vector<std::vector<double>> batches(cases.size());
    for (int round = 0; round < rounds; ++round)
        for (size_t i = 0; i < cases.size(); ++i) {
            if (cases[i].prepare) cases[i].prepare();
            const double start = NowMicroseconds();
            for (int n = 0; n < iterations; ++n) cases[i].call();
            batches[i].push_back((NowMicroseconds() - start) / iterations);
        }
    std::vector<double> medians;
    for (auto& b : batches) {
        std::sort(b.begin(), b.end());
        medians.push_back(b[b.size() / 2]);
    }
    return medians;
}

}  // namespace bench
