// What the library's strict UTF-16/UTF-8 conversions must give, from an
// independent converter, the C library's iconv, and the two rules where the
// library departs from it:
//   a low surrogate standing alone is written in its three-byte form (the
//     service expects a text cut inside a pair to arrive that way; iconv
//     refuses it): each run of text between lone low surrogates must convert
//     as iconv converts it;
//   U+FFFE and U+FFFF are refused when read (iconv accepts them).
#pragma once

#include <iconv.h>

#include <cstdint>
#include <string>

namespace qltest {

// iconv of the whole input; false when it refuses any of it.
inline bool IconvWhole(iconv_t converter, const std::string& in, std::string& out) {
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    out.assign(in.size() * 4 + 16, '\0');
    char* source = const_cast<char*>(in.data());
    char* target = &out[0];
    size_t sourceLeft = in.size(), targetLeft = out.size();
    const bool whole = iconv(converter, &source, &sourceLeft, &target, &targetLeft) != size_t(-1) && sourceLeft == 0;
    out.resize(out.size() - targetLeft);
    return whole;
}

// The UTF-8 the library must write for `text`; false, with nothing, when it
// must refuse the text (a high surrogate without its partner).
inline bool ExpectedUtf8(const std::u16string& text, std::string& utf8) {
    static const iconv_t fromUtf16 = iconv_open("UTF-8", "UTF-16LE");
    utf8.clear();
    std::string run;  // UTF-16LE bytes
    for (size_t i = 0; i <= text.size(); ++i) {
        const char16_t unit = i < text.size() ? text[i] : 0;
        const bool loneLow = i < text.size() && unit >= 0xDC00 && unit <= 0xDFFF &&
                             (i == 0 || text[i - 1] < 0xD800 || text[i - 1] > 0xDBFF);
        if (i < text.size() && !loneLow) {
            run += {char(unit & 0xFF), char(unit >> 8)};
            continue;
        }
        std::string piece;
        if (!IconvWhole(fromUtf16, run, piece)) return utf8.clear(), false;
        utf8 += piece;
        run.clear();
        if (loneLow) utf8 += {char(0xE0 | unit >> 12), char(0x80 | (unit >> 6 & 0x3F)), char(0x80 | (unit & 0x3F))};
    }
    return true;
}

// The UTF-16 the library must read from `bytes`; false, with nothing, when
// it must refuse them.
inline bool ExpectedUtf16(const std::string& bytes, std::u16string& text) {
    static const iconv_t toUtf16 = iconv_open("UTF-16LE", "UTF-8");
    text.clear();
    std::string units;
    if (!IconvWhole(toUtf16, bytes, units)) return false;
    for (size_t i = 0; i + 1 < units.size(); i += 2) text += char16_t(uint8_t(units[i]) | uint8_t(units[i + 1]) << 8);
    if (text.find_first_of(u"\uFFFE\uFFFF") == std::u16string::npos) return true;
    text.clear();
    return false;
}

}  // namespace qltest
