// A zero-filled block from the process heap, freed when it goes out of
// scope, so that every path of an operation releases it. Null when the
// allocation failed; callers check before use.
#pragma once

#include <windows.h>

#include <cstddef>

namespace qlclapi {

class ZeroedHeapBlock {
public:
    explicit ZeroedHeapBlock(size_t bytes) : block_(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, bytes)) {}
    ~ZeroedHeapBlock() {
        if (block_) HeapFree(GetProcessHeap(), 0, block_);
    }
    ZeroedHeapBlock(const ZeroedHeapBlock&) = delete;
    ZeroedHeapBlock& operator=(const ZeroedHeapBlock&) = delete;

    template <typename T>
    T* as() const {
        return static_cast<T*>(block_);
    }

private:
    void* block_;
};

}  // namespace qlclapi
