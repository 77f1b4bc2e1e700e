// Address arrays: one block of a u32 count followed by 32-byte records, the
// form in which address lists are handed to callers, who free the block.
#include <cstring>

#include "address/counted_block.h"
#include "core/heap_buffer.h"
#include "address/sil_address.h"

namespace {

size_t AddressArrayBytes(uint32_t capacity) noexcept {
    return CountedBlockBytes(capacity, sizeof(SilAddressRecord));
}

}  // namespace

SilAddressArray* AllocateAddressArray(uint32_t capacity) noexcept {
    const size_t bytes = AddressArrayBytes(capacity);
    if (bytes == 0) return nullptr;
    return static_cast<SilAddressArray*>(qlclapi::AllocateZeroed(bytes));
}

SilAddressArray* DuplicateAddressArray(const SilAddressArray* source) noexcept {
    if (source == nullptr) return nullptr;
    SilAddressArray* copy = AllocateAddressArray(source->count);
    if (copy == nullptr) return nullptr;
    std::memcpy(copy, source, AddressArrayBytes(source->count));
    return copy;
}

void FreeAddressArray(SilAddressArray* array) noexcept { qlclapi::ReleaseBlock(array); }
