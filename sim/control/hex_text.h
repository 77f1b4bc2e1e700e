// Bytes as upper-case hexadecimal pairs and back: how the simulated
// diagnostics service carries raw messages inside its JSON control texts.
#pragma once

#include <string>

namespace qlsim {

inline std::string ToHex(const std::string& bytes) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string hex;
    hex.reserve(bytes.size() * 2);
    for (unsigned char c : bytes) hex += kDigits[c >> 4], hex += kDigits[c & 0xF];
    return hex;
}

// False for anything but pairs of hexadecimal digits (either case).
inline bool FromHex(const std::string& hex, std::string& bytes) {
    auto digit = [](char c) {
        return c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
    };
    bytes.clear();
    if (hex.size() % 2) return false;
    for (size_t i = 0; i < hex.size(); i += 2) {
        int high = digit(hex[i]), low = digit(hex[i + 1]);
        if (high < 0 || low < 0) return false;
        bytes += char(high << 4 | low);
    }
    return true;
}

}  // namespace qlsim
