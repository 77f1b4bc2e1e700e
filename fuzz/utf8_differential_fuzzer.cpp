// The library's strict UTF-16/UTF-8 conversions against an independent
// converter, the C library's iconv, on arbitrary input: the bytes taken
// once as UTF-8 and once as UTF-16LE units.
//
// Where the two are meant to differ, each rule is named and checked:
//   LoneLowSurrogate: ToUtf8 writes a low surrogate standing alone in its
//     three-byte form (the service expects a text cut inside a pair to
//     arrive that way); iconv refuses it. Each run of text between lone
//     low surrogates must convert as iconv converts it.
//   Noncharacters: FromUtf8 refuses U+FFFE and U+FFFF; iconv accepts them.
// Everywhere else the two must agree: the same output, or both refusing.
#include <iconv.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/utf8_text.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

// iconv of the whole input; false when it refuses any of it.
bool Iconv(iconv_t converter, const std::string& in, std::string& out) {
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    out.assign(in.size() * 4 + 16, '\0');
    char* source = const_cast<char*>(in.data());
    size_t sourceLeft = in.size();
    char* target = &out[0];
    size_t targetLeft = out.size();
    if (iconv(converter, &source, &sourceLeft, &target, &targetLeft) == size_t(-1)) return false;
    out.resize(out.size() - targetLeft);
    return sourceLeft == 0;
}

bool IconvToUtf8(const std::string& utf16, std::string& out) {
    static const iconv_t converter = iconv_open("UTF-8", "UTF-16LE");
    return Iconv(converter, utf16, out);
}

bool IconvToUtf16(const std::string& utf8, std::string& out) {
    static const iconv_t converter = iconv_open("UTF-16LE", "UTF-8");
    return Iconv(converter, utf8, out);
}

std::string Bytes(const std::u16string& units) {
    std::string bytes;
    for (char16_t u : units) bytes += char(u & 0xFF), bytes += char(u >> 8);
    return bytes;
}

bool IsHigh(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLow(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

void CheckToUtf8(const std::u16string& text) {
    std::string ours;
    const bool converted = qlclapi::ConvertToUtf8(text.data(), text.size(), ours);
    // Rule LoneLowSurrogate: split at each lone low surrogate and convert
    // the runs between them independently.
    std::string expected;
    bool refused = false;
    std::u16string run;
    for (size_t i = 0; i <= text.size(); ++i) {
        const bool loneLow = i < text.size() && IsLow(text[i]) && (i == 0 || !IsHigh(text[i - 1]));
        if (i < text.size() && !loneLow) {
            run += text[i];
            continue;
        }
        std::string piece;
        if (!IconvToUtf8(Bytes(run), piece)) refused = true;
        expected += piece;
        run.clear();
        if (loneLow) {
            const char16_t u = text[i];
            expected += char(0xE0 | u >> 12), expected += char(0x80 | (u >> 6 & 0x3F)),
                expected += char(0x80 | (u & 0x3F));
        }
    }
    Require(converted == !refused);
    if (converted) Require(ours == expected);
    else Require(ours.empty());
}

void CheckFromUtf8(const std::string& bytes) {
    std::u16string ours;
    const bool converted = qlclapi::ConvertFromUtf8(bytes.data(), bytes.size(), ours);
    std::string theirs;
    const bool iconvConverted = IconvToUtf16(bytes, theirs);
    if (converted) {
        Require(iconvConverted && Bytes(ours) == theirs);
        return;
    }
    Require(ours.empty());
    if (!iconvConverted) return;
    // Rule Noncharacters: the only text iconv takes and FromUtf8 refuses.
    // With each of them made U+FFFD (in valid UTF-8, EF always leads a
    // character), the two must agree again.
    std::string replaced = bytes;
    bool noncharacter = false;
    for (size_t i = 0; i + 2 < replaced.size(); ++i)
        if (replaced.compare(i, 2, "\xEF\xBF") == 0 && (replaced[i + 2] == '\xBE' || replaced[i + 2] == '\xBF'))
            replaced[i + 2] = '\xBD', noncharacter = true;
    Require(noncharacter);
    for (size_t i = 0; i + 1 < theirs.size(); i += 2)
        if (theirs[i + 1] == '\xFF' && (theirs[i] == '\xFE' || theirs[i] == '\xFF')) theirs[i] = '\xFD';
    Require(qlclapi::ConvertFromUtf8(replaced.data(), replaced.size(), ours) && Bytes(ours) == theirs);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CheckFromUtf8(std::string(reinterpret_cast<const char*>(data), size));
    std::u16string units;
    for (size_t i = 0; i + 1 < size; i += 2) units += char16_t(data[i] | data[i + 1] << 8);
    CheckToUtf8(units);
    return 0;
}
