// The address text grammar, record to text: the written forms. Which records
// fail to format, what each flag keeps, the output protocol and the driver's
// record form: the address fuzz targets, whose corpora and seeds every unit
// run replays.
#include <gtest/gtest.h>

#include "address_test_support.h"

namespace {

using namespace AddressFormatFlags;

// The order of the parts, the mask form, the longest text, a zero prefix
// beside nothing else (which random records seldom are), and where the
// written IPv6 form departs from inet_ntop's: the first zero run is the one
// compressed, not the longest, and "::a.b.c.d" keeps its dotted tail even
// when a.b is 0. What each flag keeps is the round trip's property.
TEST(AddressFormat, PartsInTheirOrder) {
    const struct {
        SilAddressRecord record;
        uint32_t flags;
        const char* text;
    } cases[] = {
        {V4("10.1.2.3", 80, 8), 0, "10.1.2.3/8:80"},
        {V4("10.0.0.0", 0, 23), IPv4PrefixAsMask, "10.0.0.0/255.255.254.0"},
        {V6("fe80::1", 443, 64, 12), 0, "[fe80::1%12/64]:443"},
        {V6("::1"), IPv6AlwaysBrackets, "[::1]"},
        {V4("0.0.0.0", 0, 0), 0, "0.0.0.0/0"},
        {V6("::", 0, 0), 0, "::/0"},
        {V6("::", 0, 0, 3), 0, "::%3"},
        {V6("1:0:0:1:0:0:0:1"), 0, "1::1:0:0:0:1"},
        {V6("::2"), 0, "::0.0.0.2"},
        {V6("ffff:ffff:ffff:ffff:200:5efe:255.255.255.255", 65535, 127, 4294967295u), 0,
         "[ffff:ffff:ffff:ffff:200:5efe:255.255.255.255%4294967295/127]:65535"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatToString(c.record, c.flags), c.text) << Describe(c.record);
}

}  // namespace
