#include "arguments.h"

#include <cstdio>

namespace qlsim {

std::string HexBytes(const std::vector<uint8_t>& bytes, const char* separator) {
    std::string text;
    for (size_t i = 0; i < bytes.size(); ++i) {
        char pair[4];
        snprintf(pair, sizeof pair, "%02X", bytes[i]);
        if (i) text += separator;
        text += pair;
    }
    return text;
}

std::string Hex32(uint32_t value) {
    char text[16];
    snprintf(text, sizeof text, "0x%08X", value);
    return text;
}

std::string VersionText(uint32_t value) {
    char text[32];
    snprintf(text, sizeof text, "%u.%u.%u", value >> 24, (value >> 16) & 0xFF, value & 0xFFFF);
    return text;
}

}  // namespace qlsim
