// What a process holds, measured from inside it, for tests that look for
// leaks: heap bytes by walking every process heap, committed private memory
// by walking the address space, and open handles by asking the system for
// its handle table (Wine's GetProcessHandleCount is a stub).
#pragma once

#include <cstdint>

namespace qltest {

struct ProcessUsage {
    uint64_t heapBytes = 0;    // bytes of busy blocks in all process heaps
    uint64_t heapBlocks = 0;   // busy blocks in all process heaps
    uint64_t privateBytes = 0; // committed private pages
    int64_t handles = -1;      // handles of this process; -1 when the system does not say
};

ProcessUsage MeasureProcessUsage();

// The value a new handle gets: handle values are reused lowest-first, so a
// value that creeps upward over a loop shows handles left open.
uintptr_t NextHandleValue();

}  // namespace qltest
