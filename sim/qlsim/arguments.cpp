#include "arguments.h"

#include <cerrno>
#include <cstdio>
#include <cwchar>

namespace qlsim {

bool ParseNumber64(const std::wstring& text, uint64_t& value) {
    // wcstoull would take a sign or leading space and wrap "-1" round.
    if (text.empty() || text[0] == L'-' || text[0] == L'+' || iswspace(text[0])) return false;
    // Decimal unless 0x-prefixed: a leading zero is not octal here ("010" is
    // ten), as people typing flags and versions expect.
    const bool hex = text.size() > 2 && text[0] == L'0' && (text[1] == L'x' || text[1] == L'X');
    wchar_t* end = nullptr;
    errno = 0;
    unsigned long long parsed = wcstoull(text.c_str() + (hex ? 2 : 0), &end, hex ? 16 : 10);
    if (hex && !iswxdigit(text[2])) return false;
    if (errno || *end) return false;
    value = parsed;
    return true;
}

bool ParseNumber(const std::wstring& text, uint32_t& value) {
    uint64_t parsed;
    if (!ParseNumber64(text, parsed) || parsed > 0xFFFFFFFFull) return false;
    value = uint32_t(parsed);
    return true;
}

bool ParseSigned(const std::wstring& text, int32_t& value) {
    if (!text.empty() && text[0] == L'-') {
        uint32_t magnitude;
        if (!ParseNumber(text.substr(1), magnitude) || magnitude > 0x80000000u) return false;
        value = int32_t(0u - magnitude);
        return true;
    }
    uint32_t plain;
    if (!ParseNumber(text, plain)) return false;
    value = int32_t(plain);
    return true;
}

bool ParseVersion(const std::wstring& text, uint32_t& value) {
    size_t first = text.find(L'.');
    if (first == std::wstring::npos) return ParseNumber(text, value);
    size_t second = text.find(L'.', first + 1);
    if (second == std::wstring::npos) return false;
    uint32_t major, minor, build;
    if (!ParseNumber(text.substr(0, first), major) || !ParseNumber(text.substr(first + 1, second - first - 1), minor) ||
        !ParseNumber(text.substr(second + 1), build) || major > 255 || minor > 255 || build > 65535)
        return false;
    value = major << 24 | minor << 16 | build;
    return true;
}

namespace {

int HexValue(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

}  // namespace

bool ParseHex(const std::wstring& text, std::vector<uint8_t>& bytes, wchar_t separator) {
    bytes.clear();
    size_t i = 0;
    while (i < text.size()) {
        if (separator && !bytes.empty() && text[i++] != separator) return false;
        if (text.size() - i < 2) return false;
        int high = HexValue(text[i]), low = HexValue(text[i + 1]);
        if (high < 0 || low < 0) return false;
        bytes.push_back(uint8_t(high << 4 | low));
        i += 2;
    }
    return true;
}

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
