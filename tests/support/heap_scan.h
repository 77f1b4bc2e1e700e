// The blocks of every heap of the process, allocated or free: what a
// library leaves behind in released memory is still there, and what it
// keeps adds up.
#pragma once

#include <windows.h>

#include <cstddef>

namespace qltest {

// Hands every entry of every process heap to `visit`. Fixed storage: the
// walk must not allocate from the heaps it walks.
template <typename Visit>
void ForEachHeapEntry(Visit visit) {
    HANDLE heaps[256];
    const DWORD count = GetProcessHeaps(256, heaps);
    for (DWORD i = 0; i < count && i < 256; ++i) {
        if (!HeapLock(heaps[i])) continue;
        PROCESS_HEAP_ENTRY entry{};
        while (HeapWalk(heaps[i], &entry)) visit(entry);
        HeapUnlock(heaps[i]);
    }
}

bool ProcessHeapsContain(const void* pattern, size_t size);

}  // namespace qltest
