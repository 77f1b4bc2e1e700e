// Number settings read from text: the atol reading of the first 12 units,
// and the two ways a text fails (no room for its UTF-8 form and a
// terminator, a high surrogate without its partner) with the value untouched.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "config/settings_number.h"

namespace {

using namespace qlclapi;

struct Case {
    const char* name;
    std::u16string text;
    ConfigStatus status;
    uint32_t value;  // when status is kConfigOk
};

const Case kCases[] = {
    {"One", u"1", kConfigOk, 1},
    {"Zero", u"0", kConfigOk, 0},
    {"NoDigits", u"on", kConfigOk, 0},
    {"Empty", u"", kConfigOk, 0},
    {"LeadingSpaceAndTrailingText", u" \t\n\v\f\r42abc", kConfigOk, 42},
    {"Negative", u"-7", kConfigOk, 0xFFFFFFF9u},
    {"Plus", u"+15", kConfigOk, 15},
    {"SignAlone", u"-", kConfigOk, 0},
    {"SpaceAfterSign", u"- 5", kConfigOk, 0},
    {"NonAsciiSpaceIsNotWhiteSpace", u"\u00a05", kConfigOk, 0},
    {"FullWidthDigitsAreNotDigits", u"\uff15", kConfigOk, 0},
    {"ElevenDigitsSaturate", u"99999999999", kConfigOk, 0x7FFFFFFFu},
    {"NegativeSaturates", u"-9999999999", kConfigOk, 0x80000000u},
    {"LargestNegative", u"-2147483648", kConfigOk, 0x80000000u},
    {"StopsAtTheFirstZeroUnit", std::u16string(u"12\0" u"34", 5), kConfigOk, 12},
    {"TwelveUnitsLeaveNoRoom", u"123456789012", kConfigBufferTooSmall, 0},
    {"SevenUnitsOfThirteenBytes", u"1\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9", kConfigBufferTooSmall, 0},
    {"ElevenBytesFit", u"7\u00e9\u00e9\u00e9\u00e9\u00e9", kConfigOk, 7},
    {"LoneHighSurrogate", u"1\xD800", kConfigFailed, 0},
    {"HighSurrogateBeforeText", u"\xD800" u"1", kConfigFailed, 0},
    {"LoneLowSurrogateIsText", u"3\xDC00", kConfigOk, 3},
    {"SurrogatePair", u"8\xD83D\xDE00", kConfigOk, 8},
};

class NumberSetting : public testing::TestWithParam<Case> {};

TEST_P(NumberSetting, ReadsLikeAtolOrFailsUntouched) {
    const Case& c = GetParam();
    uint32_t value = 0xA5A5A5A5;
    ASSERT_EQ(ParseNumberSetting(c.text.data(), c.text.size(), &value), c.status);
    EXPECT_EQ(value, c.status == kConfigOk ? c.value : 0xA5A5A5A5);
}

INSTANTIATE_TEST_SUITE_P(Texts, NumberSetting, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<Case>& info) { return info.param.name; });

TEST(NumberSettingLimits, ReadsNoMoreThanTheUnitsGivenNorTwelve) {
    uint32_t value = 0;
    EXPECT_EQ(ParseNumberSetting(u"12345", 3, &value), kConfigOk);
    EXPECT_EQ(value, 123u);
    // Twelve units on the heap, none of them a terminator: a read of a 13th
    // leaves the allocation.
    const std::u16string digits = u"000000000059";
    std::unique_ptr<char16_t[]> text(new char16_t[12]);
    std::copy(digits.begin(), digits.end(), text.get());
    EXPECT_EQ(ParseNumberSetting(text.get(), 40, &value), kConfigBufferTooSmall);
    text[11] = 0;
    EXPECT_EQ(ParseNumberSetting(text.get(), 40, &value), kConfigOk);
    EXPECT_EQ(value, 5u);
    EXPECT_EQ(ParseNumberSetting(text.get(), 12, nullptr), kConfigInvalidArgument);
}

}  // namespace
