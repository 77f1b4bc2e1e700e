// Hexadecimal digits against the C library's printf: every width and case
// the library writes, over random values.
#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <random>
#include <string>

#include "core/hex_text.h"

namespace {

using namespace qlclapi;

std::string Printf(const char* format, uint64_t value) {
    char text[32];
    snprintf(text, sizeof text, format, value);
    return text;
}

TEST(HexText, AgreesWithPrintf) {
    std::mt19937_64 random(5);
    for (int round = 0; round < 5000; ++round) {
        // Values of every length, from one digit to sixteen.
        const uint64_t value = random() >> (random() % 64);
        char out[17] = {};
        ASSERT_EQ(HexDigitCount(value), int(Printf("%" PRIx64, value).size())) << value;
        *PutHex(out, value, HexDigitCount(value), HexCase::Lower) = 0;
        ASSERT_EQ(std::string(out), Printf("%" PRIx64, value));
        *PutHex(out, value, 8, HexCase::Upper) = 0;
        ASSERT_EQ(std::string(out), Printf("%08" PRIX64, value & 0xFFFFFFFF));
    }
}

TEST(HexText, BytesArePairsJoinedBySeparator) {
    const uint8_t bytes[] = {0x00, 0x1A, 0xFF, 0x7B};
    char16_t out[16] = {};
    *PutHexBytes(out, bytes, 4, u'-') = 0;
    EXPECT_EQ(std::u16string(out), u"00-1A-FF-7B");
    *PutHexBytes(out, bytes, 3, u'\0') = 0;
    EXPECT_EQ(std::u16string(out), u"001AFF");
    EXPECT_EQ(PutHexBytes(out, bytes, 0, u'-'), out);
}

}  // namespace
