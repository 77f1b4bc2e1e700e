#include "support/heap_scan.h"

#include <windows.h>

#include <algorithm>
#include <vector>

namespace qltest {

namespace {

bool BlockContains(const PROCESS_HEAP_ENTRY& entry, const unsigned char* pattern, size_t size) {
    const auto* begin = static_cast<const unsigned char*>(entry.lpData);
    const auto* end = begin + entry.cbData;
    return std::search(begin, end, pattern, pattern + size) != end;
}

bool HeapContains(HANDLE heap, const unsigned char* pattern, size_t size) {
    bool found = false;
    if (!HeapLock(heap)) return false;
    PROCESS_HEAP_ENTRY entry{};
    while (!found && HeapWalk(heap, &entry)) {
        // Region headers and uncommitted ranges hold no block data.
        if (entry.wFlags & (PROCESS_HEAP_REGION | PROCESS_HEAP_UNCOMMITTED_RANGE)) continue;
        if (entry.lpData && entry.cbData >= size) found = BlockContains(entry, pattern, size);
    }
    HeapUnlock(heap);
    return found;
}

}  // namespace

bool ProcessHeapsContain(const void* pattern, size_t size) {
    // Fixed storage: the scan must not allocate from the heaps it walks.
    HANDLE heaps[256];
    DWORD count = GetProcessHeaps(256, heaps);
    for (DWORD i = 0; i < count && i < 256; ++i)
        if (HeapContains(heaps[i], static_cast<const unsigned char*>(pattern), size)) return true;
    return false;
}

}  // namespace qltest
