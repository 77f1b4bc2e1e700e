// The address text grammar, record to text: the written forms and the output
// protocol; which records fail to format, and what each flag keeps, in
// address_roundtrip_test.cpp.
#include <gtest/gtest.h>

#include "address_test_support.h"

namespace {

using namespace AddressFormatFlags;

SilAddressRecord WithFamily(uint16_t family) {
    SilAddressRecord r = V4("1.2.3.4");
    r.family = family;
    return r;
}

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

// needed is text length plus 1; a short buffer is left untouched.
TEST(AddressFormat, OutputProtocol) {
    const SilAddressRecord record = V4("10.1.2.3", 5008);  // 13 units
    const struct {
        bool withBuffer;
        uint32_t capacity, result, needed;
    } cases[] = {
        {true, 20, kAddressTextOk, 14},
        {true, 14, kAddressTextOk, 14},
        {true, 13, kAddressTextBufferTooSmall, 14},
        {false, 0, kAddressTextBufferTooSmall, 14},  // the size query
        {false, 14, kAddressTextInvalidArgument, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "capacity " << c.capacity << " buffer " << c.withBuffer);
        std::u16string buffer(20, u'#');
        uint32_t needed = 99;
        EXPECT_EQ(FormatAddressText(&record, c.withBuffer ? &buffer[0] : nullptr, c.capacity,
                                    &needed, 0),
                  c.result);
        EXPECT_EQ(needed, c.needed);
        const bool written = c.result == kAddressTextOk;
        EXPECT_EQ(buffer, written ? std::u16string(u"10.1.2.3:5008\0######", 20)
                                  : std::u16string(20, u'#'));
    }
    EXPECT_EQ(FormatAddressText(nullptr, nullptr, 0, nullptr, 0), kAddressTextInvalidArgument);
}

TEST(AddressFormat, DriverRecordForm) {
    // Bytes past the family's own part are not looked at, no prefix is ever
    // written, and any other family is the empty text.
    SilAddressRecord v4 = V4("10.1.2.3", 80, 8);
    std::memset(reinterpret_cast<uint8_t*>(&v4) + 9, 0x5A, 19);
    const struct {
        SilAddressRecord record;
        const char16_t* text;
    } cases[] = {{v4, u"10.1.2.3:80"}, {V6("fe80::1", 443, 0, 3), u"[fe80::1%3]:443"},
                 {WithFamily(9), u""}};
    for (const auto& c : cases) {
        DriverAddressRecord driver;
        std::memcpy(&driver, &c.record, sizeof driver);
        char16_t buffer[kAddressTextCapacity];
        uint32_t needed = 0;
        EXPECT_EQ(FormatDriverAddressText(&driver, buffer, kAddressTextCapacity, &needed,
                                          AddressFormatFlags::AlwaysPrefix),
                  kAddressTextOk);
        EXPECT_EQ(std::u16string(buffer), c.text);
        EXPECT_EQ(needed, std::u16string(c.text).size() + 1);
    }
}

}  // namespace
