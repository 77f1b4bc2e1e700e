// Internal to CSilAddress: the size protocol its out-conversions share.
#pragma once

#include <cstdint>

#include "address/sil_address.h"

// needed is set to 0 first, then to need whenever the buffer argument is
// usable; kSilOk means the caller may write need bytes to buffer.
inline uint32_t ReserveSilOutput(const void* buffer, uint32_t size, uint32_t need,
                                 uint32_t* needed) noexcept {
    if (needed != nullptr) *needed = 0;
    if (buffer == nullptr && size != 0) return kSilInvalidArgument;
    if (needed != nullptr) *needed = need;
    return size < need ? kSilBufferTooSmall : kSilOk;
}
