// The one-string format of "Connected as %s": a format from a module anyone
// can write never reaches printf. Only the first %s takes the argument.
#include <gtest/gtest.h>

#include <string>

#include "status/one_string_format.h"

namespace {

using qlclapi::FormatOneString;

struct FormatCase {
    std::u16string format;
    size_t formatUnits;  // may stop short of the text
    size_t capacity;
    std::u16string out;
};

const FormatCase kFormats[] = {
    {u"Connected as %s", 15, 64, u"Connected as bob"},
    {u"100%% %s %s %d %n %", 19, 64, u"100% bob %s %d %n %"},
    {u"%ls %S %%s", 10, 64, u"%ls %S %s"},
    {u"no name", 7, 64, u"no name"},
    {u"x%s", 2, 64, u"x%"},            // the unit behind the format is not read
    {u"%s and more", 11, 3, u"bo"},     // cut inside the argument
    {u"ab%s", 4, 3, u"ab"},
    {u"abcdef", 6, 4, u"abc"},
    {u"abc", 3, 1, u""},
};

TEST(OneStringFormat, FirstPercentSTakesTheArgumentAndTheCapacityHolds) {
    for (const FormatCase& c : kFormats) {
        std::u16string out(c.capacity + 2, u'#');
        const size_t length = FormatOneString(c.format.data(), c.formatUnits, u"bob", 3, &out[0], c.capacity);
        EXPECT_EQ(out.substr(0, length), c.out) << testing::PrintToString(c.format);
        EXPECT_EQ(out[length], 0);
        EXPECT_EQ(out.substr(c.capacity), u"##") << "written past the capacity";
    }
    // The argument is text, never a format.
    char16_t out[16];
    EXPECT_EQ(FormatOneString(u"as %s", 5, u"%s%%%n", 6, out, 16), 9u);
    EXPECT_EQ(std::u16string(out), u"as %s%%%n");
}

}  // namespace
