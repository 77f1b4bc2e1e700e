// Internal to the list forms: the size of a block holding a u32 count
// followed by count entries, the shape every list is handed out in.
#pragma once

#include <cstddef>
#include <cstdint>

// Zero when the size does not fit in size_t (possible on 32-bit hosts).
inline size_t CountedBlockBytes(uint32_t count, size_t entryBytes) noexcept {
    const uint64_t bytes = 4 + static_cast<uint64_t>(count) * entryBytes;
    const size_t fitted = static_cast<size_t>(bytes);
    return fitted == bytes ? fitted : 0;
}
