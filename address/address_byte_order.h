// Conversions between host order and the network order the address records
// keep. Written out by hand so that the library never needs the socket
// library's htons family (the DLL must not import it).
#pragma once

#include <cstdint>
#include <cstring>

inline uint16_t HostToNetwork16(uint16_t value) noexcept {
    const uint8_t bytes[2] = {static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value)};
    uint16_t stored;
    std::memcpy(&stored, bytes, sizeof stored);
    return stored;
}

inline uint16_t NetworkToHost16(uint16_t stored) noexcept {
    uint8_t bytes[2];
    std::memcpy(bytes, &stored, sizeof bytes);
    return static_cast<uint16_t>(bytes[0] << 8 | bytes[1]);
}

inline uint32_t HostToNetwork32(uint32_t value) noexcept {
    const uint8_t bytes[4] = {static_cast<uint8_t>(value >> 24), static_cast<uint8_t>(value >> 16),
                              static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value)};
    uint32_t stored;
    std::memcpy(&stored, bytes, sizeof stored);
    return stored;
}

inline uint32_t NetworkToHost32(uint32_t stored) noexcept {
    uint8_t bytes[4];
    std::memcpy(bytes, &stored, sizeof bytes);
    return static_cast<uint32_t>(bytes[0]) << 24 | static_cast<uint32_t>(bytes[1]) << 16 |
           static_cast<uint32_t>(bytes[2]) << 8 | bytes[3];
}
