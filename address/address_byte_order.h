// Conversions between host order and the network order the address records
// keep. Written out by hand so that the library never needs the socket
// library's htons family (the DLL must not import it).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

// Writing a value's bytes most significant first, and reading them back in
// host order, are the same reordering in both directions on any host.
template <typename T>
inline T ReorderForNetwork(T value) noexcept {
    uint8_t bytes[sizeof(T)];
    for (size_t i = 0; i < sizeof(T); ++i) {
        bytes[i] = static_cast<uint8_t>(value >> (8 * (sizeof(T) - 1 - i)));
    }
    T reordered;
    std::memcpy(&reordered, bytes, sizeof reordered);
    return reordered;
}

inline uint16_t HostToNetwork16(uint16_t value) noexcept { return ReorderForNetwork(value); }
inline uint16_t NetworkToHost16(uint16_t stored) noexcept { return ReorderForNetwork(stored); }
inline uint32_t HostToNetwork32(uint32_t value) noexcept { return ReorderForNetwork(value); }
inline uint32_t NetworkToHost32(uint32_t stored) noexcept { return ReorderForNetwork(stored); }
