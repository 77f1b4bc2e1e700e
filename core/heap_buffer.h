// The one owner of heap memory that the library's calls allocate for
// themselves: zero-filled, released when the owner goes, and, for memory
// that held credentials or a caller's converted text, overwritten with zeros
// first in a way the compiler may not drop. On Windows the blocks come from
// LocalAlloc(LPTR), the process heap; elsewhere (the native tests and fuzz
// targets) from calloc. Allocation failure is reported, never thrown.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#ifdef _WIN32
#include <windows.h>
#endif

#include "core/secure_memory.h"

namespace qlclapi {

enum class Wipe { No, OnRelease };

// A zero-filled block of `bytes` bytes, or null; for the few blocks whose
// life spans several calls (an enumeration's iterator). Everything else
// holds its memory in a HeapBuffer.
inline void* AllocateZeroed(size_t bytes) {
#ifdef _WIN32
    return LocalAlloc(LPTR, bytes);
#else
    return std::calloc(1, bytes);
#endif
}
inline void ReleaseBlock(void* block) {
#ifdef _WIN32
    LocalFree(block);
#else
    std::free(block);
#endif
}

template <typename T>
class HeapBuffer {
public:
    HeapBuffer() = default;
    // count elements, zero-filled; check ok() (or data()) before use.
    explicit HeapBuffer(size_t count, Wipe wipe = Wipe::No) { allocate(count, wipe); }
    ~HeapBuffer() { release(); }
    HeapBuffer(const HeapBuffer&) = delete;
    HeapBuffer& operator=(const HeapBuffer&) = delete;
    HeapBuffer(HeapBuffer&& other) noexcept { take(other); }
    HeapBuffer& operator=(HeapBuffer&& other) noexcept {
        if (this != &other) {
            release();
            take(other);
        }
        return *this;
    }

    // Replaces what the buffer held; false (and empty) when it cannot be had.
    bool allocate(size_t count, Wipe wipe = Wipe::No) {
        release();
        if (count == 0 || count > SIZE_MAX / sizeof(T)) return false;
        data_ = static_cast<T*>(AllocateZeroed(count * sizeof(T)));
        if (!data_) return false;
        count_ = count;
        wipe_ = wipe;
        return true;
    }

    void release() {
        if (!data_) return;
        if (wipe_ == Wipe::OnRelease) SecureWipe(data_, count_ * sizeof(T));
        ReleaseBlock(data_);
        data_ = nullptr;
        count_ = 0;
    }

    bool ok() const { return data_ != nullptr; }
    T* data() { return data_; }
    const T* data() const { return data_; }
    size_t count() const { return count_; }
    size_t bytes() const { return count_ * sizeof(T); }
    T* operator->() { return data_; }
    T& operator[](size_t i) { return data_[i]; }
    const T& operator[](size_t i) const { return data_[i]; }

private:
    void take(HeapBuffer& other) {
        data_ = other.data_;
        count_ = other.count_;
        wipe_ = other.wipe_;
        other.data_ = nullptr;
        other.count_ = 0;
    }

    T* data_ = nullptr;
    size_t count_ = 0;
    Wipe wipe_ = Wipe::No;
};

}  // namespace qlclapi
