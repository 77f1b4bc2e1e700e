#include "client_values.h"

#include <cstdio>

namespace qlctl {

namespace {

constexpr uint32_t kOwnGeneration = 0x0C0C0000;
constexpr uint32_t kGenerationMask = 0xFFFF0000;

}  // namespace

const char* StateName(int32_t state) {
    switch (state) {
    case 1: return "idle";
    case 2: return "connecting";
    case 3: return "connected";
    case 4: return "server-unreachable";
    case 5: return "disconnected";
    case 6: return "client-not-loaded";
    default: return "disabled";
    }
}

std::string VersionText(uint32_t word) {
    char text[32];
    snprintf(text, sizeof text, "%u.%u.%u", word >> 24, (word >> 16) & 0xFF, word & 0xFFFF);
    return text;
}

std::string HexWord(uint32_t word) {
    char text[16];
    snprintf(text, sizeof text, "0x%08X", word);
    return text;
}

bool IsOwnGeneration(uint32_t word) { return (word & kGenerationMask) == kOwnGeneration; }

std::string OwnGenerationText() {
    char text[16];
    snprintf(text, sizeof text, "%u.%u", kOwnGeneration >> 24, (kOwnGeneration >> 16) & 0xFF);
    return text;
}

std::string NetworkTypeMeaning(uint32_t type) {
    switch (type) {
    case 0: return "not available";
    case 1: return "neither";
    case 2: return "flag 0x20";
    case 3: return "flag 0x10";
    default: return "unknown";
    }
}

std::string HexBytes(const std::vector<uint8_t>& bytes) {
    std::string text;
    for (uint8_t byte : bytes) {
        char pair[4];
        snprintf(pair, sizeof pair, "%02X", byte);
        if (!text.empty()) text += '-';
        text += pair;
    }
    return text;
}

}  // namespace qlctl
