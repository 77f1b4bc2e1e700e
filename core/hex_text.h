// Hexadecimal digits for every text the library writes: setting value names
// (eight upper-case digits), IPv6 groups (lower case, no leading zeros), the
// \u00xx escapes of JSON strings and the byte strings handed to Visual Basic
// callers ("00-1A-2B").
#pragma once

#include <cstddef>
#include <cstdint>

namespace qlclapi {

enum class HexCase { Upper, Lower };

template <typename Char>
constexpr Char HexDigit(unsigned nibble, HexCase letters) {
    return static_cast<Char>(nibble < 10 ? '0' + nibble : (letters == HexCase::Upper ? 'A' : 'a') + nibble - 10);
}

// The digits value needs without leading zeros (one for 0).
constexpr int HexDigitCount(uint64_t value) {
    int count = 1;
    while (value >>= 4) ++count;
    return count;
}

// Writes the low `digits` hexadecimal digits of value, most significant
// first, and returns the position after them. No terminator.
template <typename Char>
Char* PutHex(Char* out, uint64_t value, int digits, HexCase letters) {
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) *out++ = HexDigit<Char>((value >> shift) & 0xF, letters);
    return out;
}

// Each byte as two upper-case digits, joined by separator when it is not 0:
// 3 * count - 1 units with a separator, 2 * count without. No terminator.
template <typename Char>
Char* PutHexBytes(Char* out, const uint8_t* bytes, size_t count, Char separator) {
    for (size_t i = 0; i < count; ++i) {
        if (i && separator) *out++ = separator;
        out = PutHex(out, bytes[i], 2, HexCase::Upper);
    }
    return out;
}

}  // namespace qlclapi
