#include "client_values.h"

#include <cstdio>

#include "core/hex_text.h"

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
    std::string text = "0x00000000";
    qlclapi::PutHex(&text[2], word, 8, qlclapi::HexCase::Upper);
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
    std::string text(bytes.empty() ? 0 : 3 * bytes.size() - 1, '\0');
    qlclapi::PutHexBytes(&text[0], bytes.data(), bytes.size(), '-');
    return text;
}

}  // namespace qlctl
