// The strict conversions against the C library's iconv, an independent
// converter, and the rules where the library departs from it
// (utf8_oracle.h): random texts built from the units and bytes where the
// forms change.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <random>

#include "core/utf8_text.h"
#include "utf8_oracle.h"

namespace {

using namespace qlclapi;
using qltest::ExpectedUtf16;
using qltest::ExpectedUtf8;

TEST(Utf8Text, ToUtf8AgreesWithIconvOnRandomTexts) {
    const char16_t pool[] = {0x00,   0x41,   0x7F,   0x80,   0x7FF,  0x800,  0xD7FF, 0xD800, 0xDBFF, 0xDC00,
                             0xDFFF, 0xE000, 0xFFFD, 0xFFFE, 0xFFFF, 0x00E9, 0x20AC, 0xD83D, 0xDE00, 0x0100};
    std::mt19937 random(7);
    for (int round = 0; round < 20000; ++round) {
        std::u16string text(random() % 6, u'\0');
        for (char16_t& unit : text) unit = random() % 4 ? pool[random() % std::size(pool)] : char16_t(random());
        std::string expected, out = "stale";
        const bool converts = ExpectedUtf8(text, expected);
        ASSERT_EQ(ConvertToUtf8(text.data(), text.size(), out), converts) << testing::PrintToString(text);
        ASSERT_EQ(out, expected) << testing::PrintToString(text);
        ASSERT_EQ(ToUtf8(text), expected);
        ASSERT_EQ(Utf8Length(text.data(), text.size()), converts ? expected.size() : kNotConvertible);
    }
}

// The bit layout of a sequence of `length` bytes for any value, whether or
// not UTF-8 allows it (overlong forms, surrogates, beyond U+10FFFF).
std::string Sequence(char32_t point, int length) {
    if (length == 1) return std::string(1, char(point));
    static const uint8_t leads[] = {0, 0, 0xC0, 0xE0, 0xF0};
    std::string bytes(length, '\0');
    for (int i = length - 1; i > 0; --i, point >>= 6) bytes[i] = char(0x80 | (point & 0x3F));
    bytes[0] = char(leads[length] | point);
    return bytes;
}

TEST(Utf8Text, FromUtf8AgreesWithIconvOnRandomBytes) {
    const uint8_t pool[] = {0x00, 0x41, 0x7F, 0x80, 0xBF, 0xC0, 0xC1, 0xC2, 0xDF, 0xE0, 0xEF, 0xF0, 0xF4, 0xF5, 0xFF};
    const char32_t points[] = {0x00,   0x7F,   0x80,   0x7FF,  0x800,  0xD7FF,   0xD800,   0xDFFF,  0xE000,
                               0xFFFD, 0xFFFE, 0xFFFF, 0x10000, 0x10FFFF, 0x110000, 0x1FFFFF, 0xFDD0};
    std::mt19937 random(11);
    for (int round = 0; round < 20000; ++round) {
        std::string bytes;
        for (int piece = random() % 5; piece > 0; --piece) {
            if (random() % 3 == 0) {
                bytes += char(pool[random() % std::size(pool)]);
                continue;
            }
            // A sequence of its shortest length, or one byte longer (overlong),
            // sometimes cut short.
            const char32_t point = random() % 2 ? points[random() % std::size(points)] : char32_t(random() % 0x200000);
            const int shortest = point < 0x80 ? 1 : point < 0x800 ? 2 : point < 0x10000 ? 3 : 4;
            std::string sequence = Sequence(point, std::min(4, shortest + (random() % 4 == 0)));
            if (random() % 8 == 0) sequence.pop_back();
            bytes += sequence;
        }
        std::u16string expected, out = u"stale";
        const bool converts = ExpectedUtf16(bytes, expected);
        ASSERT_EQ(ConvertFromUtf8(bytes.data(), bytes.size(), out), converts) << testing::PrintToString(bytes);
        ASSERT_EQ(out, expected) << testing::PrintToString(bytes);
        ASSERT_EQ(FromUtf8(bytes), expected);
    }
}

}  // namespace
