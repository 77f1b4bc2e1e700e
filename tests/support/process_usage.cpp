#include "support/process_usage.h"

#include <windows.h>

#include <vector>

#include "support/heap_scan.h"

namespace qltest {

namespace {

uint64_t CommittedPrivateBytes() {
    uint64_t bytes = 0;
    MEMORY_BASIC_INFORMATION region;
    for (const char* at = nullptr; VirtualQuery(at, &region, sizeof region) == sizeof region;) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) bytes += region.RegionSize;
        const char* next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
        if (next <= at) break;
        at = next;
    }
    return bytes;
}

// SystemExtendedHandleInformation: a count, a reserved word, then one
// entry per handle of every process.
struct HandleEntry {
    void* object;
    ULONG_PTR processId;
    ULONG_PTR handle;
    ULONG access;
    USHORT creatorBackTrace;
    USHORT typeIndex;
    ULONG attributes;
    ULONG reserved;
};

int64_t OwnHandleCount() {
    using Query = LONG(WINAPI*)(ULONG, void*, ULONG, ULONG*);
    auto query = reinterpret_cast<Query>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
    if (!query) return -1;
    constexpr ULONG kExtendedHandleInformation = 64;
    std::vector<unsigned char> buffer(1 << 20);
    for (int attempt = 0; attempt < 6; ++attempt) {
        ULONG needed = 0;
        LONG status = query(kExtendedHandleInformation, buffer.data(), ULONG(buffer.size()), &needed);
        if (status == 0) {
            ULONG_PTR count;
            memcpy(&count, buffer.data(), sizeof count);
            const size_t fit = (buffer.size() - 2 * sizeof(ULONG_PTR)) / sizeof(HandleEntry);
            if (count > fit) count = fit;
            const auto* entries = reinterpret_cast<const HandleEntry*>(buffer.data() + 2 * sizeof(ULONG_PTR));
            int64_t own = 0;
            for (ULONG_PTR i = 0; i < count; ++i)
                if (entries[i].processId == GetCurrentProcessId()) ++own;
            return own;
        }
        if (status != LONG(0xC0000004)) return -1;  // anything but "length mismatch"
        buffer.resize(needed > buffer.size() ? needed + 65536 : buffer.size() * 2);
    }
    return -1;
}

}  // namespace

ProcessUsage MeasureProcessUsage() {
    ProcessUsage usage;
    usage.handles = OwnHandleCount();  // first: its buffer is gone before the heaps are walked
    ForEachHeapEntry([&usage](const PROCESS_HEAP_ENTRY& entry) {
        if (!(entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)) return;
        usage.heapBytes += entry.cbData;
        ++usage.heapBlocks;
    });
    usage.privateBytes = CommittedPrivateBytes();
    return usage;
}

uintptr_t NextHandleValue() {
    HANDLE probe = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    CloseHandle(probe);
    return reinterpret_cast<uintptr_t>(probe);
}

}  // namespace qltest
