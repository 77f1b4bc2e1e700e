#include "support/heap_scan.h"

#include <algorithm>

namespace qltest {

bool ProcessHeapsContain(const void* pattern, size_t size) {
    const auto* first = static_cast<const unsigned char*>(pattern);
    bool found = false;
    ForEachHeapEntry([&](const PROCESS_HEAP_ENTRY& entry) {
        // Region headers and uncommitted ranges hold no block data.
        if (found || (entry.wFlags & (PROCESS_HEAP_REGION | PROCESS_HEAP_UNCOMMITTED_RANGE)) || !entry.lpData ||
            entry.cbData < size)
            return;
        const auto* begin = static_cast<const unsigned char*>(entry.lpData);
        found = std::search(begin, begin + entry.cbData, first, first + size) != begin + entry.cbData;
    });
    return found;
}

}  // namespace qltest
