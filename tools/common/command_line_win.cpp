#include "tools/common/command_line.h"

#include <windows.h>

#include <cerrno>
#include <climits>
#include <cwchar>

namespace qltool {

namespace {

bool LooksLikeOption(const std::wstring& word) { return word.size() > 1 && word[0] == L'-'; }

// An unknown option's name, cut short: the word may be a mistyped secret.
std::string QuotedName(const std::wstring& name) {
    return "'" + Utf8(name.size() > 32 ? name.substr(0, 32) + L"..." : name) + "'";
}

int HexValue(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

}  // namespace

bool Arguments::parse(const Words& words, const std::vector<KnownOption>& known, std::string& problem) {
    options_.clear();
    positionals_.clear();
    bool optionsEnded = false;
    for (size_t i = 0; i < words.size(); ++i) {
        const std::wstring& word = words[i];
        if (optionsEnded || !LooksLikeOption(word)) {
            positionals_.push_back(word);
            continue;
        }
        if (word == L"--") {
            optionsEnded = true;
            continue;
        }
        size_t equals = word.find(L'=');
        std::wstring name = word.substr(0, equals);
        const KnownOption* option = nullptr;
        for (const KnownOption& s : known)
            if (name == s.name) option = &s;
        if (!option) {
            problem = "unknown option " + QuotedName(name);
            return false;
        }
        if (options_.count(name)) {
            problem = "option " + Utf8(name) + " is given twice";
            return false;
        }
        std::wstring value;
        if (!option->takesValue) {
            if (equals != std::wstring::npos) {
                problem = "option " + Utf8(name) + " takes no value";
                return false;
            }
        } else if (equals != std::wstring::npos) {
            value = word.substr(equals + 1);
        } else if (i + 1 < words.size() && !LooksLikeOption(words[i + 1])) {
            value = words[++i];
        } else {
            problem = "option " + Utf8(name) + " needs a value";
            return false;
        }
        options_[name] = value;
    }
    return true;
}

const std::wstring* Arguments::value(const wchar_t* name) const {
    auto found = options_.find(name);
    return found == options_.end() ? nullptr : &found->second;
}

bool IsHelpWord(const std::wstring& word) {
    return word == L"--help" || word == L"-h" || word == L"-?" || word == L"/?";
}

bool WantsHelp(const Words& words) {
    for (const auto& word : words) {
        if (word == L"--") return false;
        if (IsHelpWord(word)) return true;
    }
    return false;
}

bool ParseCount(const std::wstring& text, uint32_t& value) {
    if (text.empty() || text.size() > 10) return false;
    uint64_t parsed = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9') return false;
        parsed = parsed * 10 + uint64_t(c - L'0');
    }
    if (parsed == 0 || parsed > 0xFFFFFFFFu) return false;
    value = uint32_t(parsed);
    return true;
}

bool ParseNumber64(const std::wstring& text, uint64_t& value) {
    // wcstoull would take a sign or leading space and wrap "-1" round.
    if (text.empty() || text[0] == L'-' || text[0] == L'+' || iswspace(text[0])) return false;
    const bool hex = text.size() > 2 && text[0] == L'0' && (text[1] == L'x' || text[1] == L'X');
    if (hex && !iswxdigit(text[2])) return false;
    wchar_t* end = nullptr;
    errno = 0;
    unsigned long long parsed = wcstoull(text.c_str() + (hex ? 2 : 0), &end, hex ? 16 : 10);
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

std::string Utf8(const std::wstring& text) {
    if (text.empty() || text.size() > INT_MAX / 4) return {};
    int bytes = WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) return {};
    std::string utf8(size_t(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), &utf8[0], bytes, nullptr, nullptr);
    return utf8;
}

}  // namespace qltool
