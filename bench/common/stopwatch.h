// Wall time for the Windows benchmarks, from the performance counter.
#pragma once

#include <windows.h>

namespace bench {

inline double NowMicroseconds() {
    static const LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return double(now.QuadPart) * 1e6 / double(frequency.QuadPart);
}

}  // namespace bench
