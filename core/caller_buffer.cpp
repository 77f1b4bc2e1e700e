#include "core/caller_buffer.h"

namespace qlclapi {

bool CopyCutToCapacity(const char16_t* text, size_t units, char16_t* buffer, size_t capacity) noexcept {
    if (capacity == 0) return false;
    const bool fits = units < capacity;
    const size_t copied = fits ? units : capacity - 1;
    for (size_t i = 0; i < copied; ++i) buffer[i] = text[i];
    buffer[copied] = 0;
    return fits;
}

uint32_t DeliverText(const char16_t* text, size_t units, char16_t* buffer, uint32_t* lengthInBytes) noexcept {
    if (CopyCutToCapacity(text, units, buffer, *lengthInBytes / sizeof(char16_t))) return 1;
    *lengthInBytes = 0;
    return 0;
}

}  // namespace qlclapi
