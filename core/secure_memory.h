// Wiping memory that held credentials or a caller's converted text. The
// writes go through a volatile pointer so the compiler cannot drop them as
// dead stores before the memory is released.
#pragma once

#include <cstddef>

namespace qlclapi {

inline void SecureWipe(void* memory, size_t bytes) {
    volatile unsigned char* p = static_cast<volatile unsigned char*>(memory);
    while (bytes--) *p++ = 0;
}

}  // namespace qlclapi
