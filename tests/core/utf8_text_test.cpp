// The strict conversions: the forms of every unit and sequence length, the
// surrogate rules of each direction, and the empty text for every failure.
#include <gtest/gtest.h>

#include "core/utf8_text.h"

namespace {

using namespace qlclapi;

struct ToCase {
    const char* name;
    std::u16string text;
    std::string utf8;
    bool converts;
};

const ToCase kToCases[] = {
    {"Ascii", u"abc", "abc", true},
    {"ZeroUnitIsText", std::u16string(u"a\0b", 3), std::string("a\0b", 3), true},
    {"TwoAndThreeBytes", u"\u00e9\u07ff\u0800\uffff", "\xC3\xA9\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF", true},
    {"PairIsFourBytes", u"\xD83D\xDE00", "\xF0\x9F\x98\x80", true},
    {"HighestPair", u"\xDBFF\xDFFF", "\xF4\x8F\xBF\xBF", true},
    {"LoneLowIsThreeBytes", u"x\xDC00y", "x\xED\xB0\x80y", true},
    {"LowThenHighPair", u"\xDC00\xD800\xDC00", "\xED\xB0\x80\xF0\x90\x80\x80", true},
    {"LoneHighAtEnd", u"abc\xD800", "", false},
    {"HighBeforeText", u"\xD800x", "", false},
    {"TwoHighs", u"\xD800\xD800\xDC00", "", false},
    {"Empty", u"", "", true},
};

TEST(ToUtf8, WritesStandardFormsAndFailsWholeOnALoneHighSurrogate) {
    for (const ToCase& c : kToCases) {
        std::string out = "stale";
        EXPECT_EQ(ConvertToUtf8(c.text.data(), c.text.size(), out), c.converts) << c.name;
        EXPECT_EQ(out, c.utf8) << c.name;
        EXPECT_EQ(ToUtf8(c.text), c.utf8) << c.name;
        EXPECT_EQ(Utf8Length(c.text.data(), c.text.size()), c.converts ? c.utf8.size() : kNotConvertible) << c.name;
    }
}

struct FromCase {
    const char* name;
    std::string utf8;
    std::u16string text;  // empty: refused (or empty input)
};

const FromCase kFromCases[] = {
    {"Ascii", "abc", u"abc"},
    {"AllLengths", "\x7F\xC2\x80\xE0\xA0\x80\xF0\x90\x80\x80", u"\x7F\x80\x800\xD800\xDC00"},
    {"Highest", "\xF4\x8F\xBF\xBF", u"\xDBFF\xDFFF"},
    {"NoncharacterFDD0IsAccepted", "\xEF\xB7\x90", u"\xFDD0"},
    {"FFFDIsAccepted", "\xEF\xBF\xBD", u"\xFFFD"},
    {"FFFEIsRefused", "a\xEF\xBF\xBE", u""},
    {"FFFFIsRefused", "a\xEF\xBF\xBF", u""},
    {"SurrogateIsRefused", "\xED\xA0\x80", u""},
    {"LowSurrogateFormIsRefused", "\xED\xB0\x80", u""},
    {"OverlongTwo", "\xC0\xAF", u""},
    {"OverlongC1", "\xC1\xBF", u""},
    {"OverlongThree", "\xE0\x9F\xBF", u""},
    {"OverlongFour", "\xF0\x8F\xBF\xBF", u""},
    {"AboveMaximum", "\xF4\x90\x80\x80", u""},
    {"F5Lead", "\xF5\x80\x80\x80", u""},
    {"StrayContinuation", "a\x80", u""},
    {"MissingContinuation", "\xC3" "a", u""},
    {"Truncated", "ab\xE2\x82", u""},
    {"ZeroByteIsText", std::string("a\0", 2), std::u16string(u"a\0", 2)},
};

TEST(FromUtf8, ConvertsOnlyWellFormedText) {
    for (const FromCase& c : kFromCases) {
        std::u16string out = u"stale";
        EXPECT_EQ(ConvertFromUtf8(c.utf8.data(), c.utf8.size(), out), !c.text.empty()) << c.name;
        EXPECT_EQ(out, c.text) << c.name;
        EXPECT_EQ(FromUtf8(c.utf8), c.text) << c.name;
    }
}

}  // namespace
