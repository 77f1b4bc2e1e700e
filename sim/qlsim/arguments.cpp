#include "arguments.h"

#include <cerrno>
#include <cstdio>
#include <cwchar>

namespace qlsim {

bool ParseNumber(const std::wstring& text, uint32_t& value) {
    if (text.empty() || text[0] == L'-' || text[0] == L'+' || iswspace(text[0])) return false;
    wchar_t* end = nullptr;
    errno = 0;
    unsigned long long parsed = wcstoull(text.c_str(), &end, 0);
    if (errno || *end || parsed > 0xFFFFFFFFull) return false;
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
