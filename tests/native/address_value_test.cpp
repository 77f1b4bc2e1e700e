// CSilAddress: what each constructor takes from its source, the named
// constructors, the out-conversions and their size protocol, equality.
#include <gtest/gtest.h>

#include <cstddef>
#include <type_traits>

#include "tests/native/address_test_support.h"

namespace {

SilAddressRecord Garbage(SilAddressRecord r) {
    // Fill everything past the family's fields with a pattern a constructor
    // must not carry over.
    uint8_t* bytes = reinterpret_cast<uint8_t*>(&r);
    const size_t from = r.family == kSilFamilyIPv4 ? 9 : 29;
    std::memset(bytes + from, 0x5A, sizeof r - from);
    return r;
}

SilAddressRecord WithFlow(SilAddressRecord r, uint32_t flow) {
    r.v6.flowInfo = flow;
    return r;
}

TEST(AddressValue, LayoutIsTablePointerThenRecord) {
    CSilAddress value(u"10.1.2.3:80");
    const uint8_t* object = reinterpret_cast<const uint8_t*>(&value);
    EXPECT_EQ(object + sizeof(void*), reinterpret_cast<const uint8_t*>(value.Record()));
    EXPECT_TRUE(std::has_virtual_destructor<CSilAddress>::value);
}

TEST(AddressValue, ConstructionFromDriverRecords) {
    struct Case {
        const char* name;
        SilAddressRecord source;
        int sourceKind;  // 24, 28 or 32 bytes
        SilAddressRecord expected;
    };
    const SilAddressRecord v6 = WithFlow(V6("fe80::1", 443, 64, 3), 7);
    const Case cases[] = {
        // The short record's port is not the driver's; it and flow info are 0.
        {"short IPv4", V4("10.1.2.3", 80, 8), 24, V4("10.1.2.3")},
        {"short IPv6", v6, 24, V6("fe80::1", 0, 128, 3)},
        {"driver IPv4", V4("10.1.2.3", 80, 8), 28, V4("10.1.2.3", 80)},
        {"driver IPv6", v6, 28, WithFlow(V6("fe80::1", 443, 128, 3), 7)},
        {"full IPv4", V4("10.1.2.3", 80, 8), 32, V4("10.1.2.3", 80, 8)},
        {"full IPv6", v6, 32, v6},
        {"short family 7", [] { SilAddressRecord r = V4("1.2.3.4"); r.family = 7; return r; }(), 24,
         EmptyRecord()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const SilAddressRecord source = c.source.family == kSilFamilyIPv4 && c.sourceKind != 32
                                            ? Garbage(c.source)
                                            : c.source;
        const CSilAddress value =
            c.sourceKind == 24   ? CSilAddress(reinterpret_cast<const DriverAddressRecordShort*>(&source))
            : c.sourceKind == 28 ? CSilAddress(reinterpret_cast<const DriverAddressRecord*>(&source))
                                 : CSilAddress(&source);
        EXPECT_TRUE(SameRecord(*value.Record(), c.expected)) << Describe(*value.Record());
    }
    // From a full IPv4 record bytes 0..11 come along, the rest does not.
    const SilAddressRecord full = Garbage(V4("10.1.2.3", 80, 8));
    const CSilAddress value(&full);
    EXPECT_EQ(std::memcmp(value.Record(), &full, 12), 0);
    EXPECT_EQ(value.Record()->v4.zero[3], 0);
    EXPECT_TRUE(CSilAddress(static_cast<const DriverAddressRecord*>(nullptr)).IsEmpty());
}

TEST(AddressValue, ConstructionFromText) {
    EXPECT_TRUE(SameRecord(*CSilAddress(u"[fe80::1%3/64]:443").Record(), V6("fe80::1", 443, 64, 3)));
    EXPECT_TRUE(SameRecord(*CSilAddress(u"1.2.3.4:99999").Record(), EmptyRecord()));
    EXPECT_TRUE(CSilAddress(static_cast<const char16_t*>(nullptr)).IsEmpty());

    CSilAddress value(u"1.2.3.4");
    EXPECT_EQ(value.SetFromText(u"1.2.3.4/8", AddressParseFlags::RejectPrefix), kAddressTextInvalid);
    EXPECT_EQ(value.Family(), kSilFamilyEmpty);
    EXPECT_EQ(value.SetFromText(u"1.2.3.4/8", 0), kAddressTextOk);
    EXPECT_EQ(value.PrefixLength(), 8);
}

TEST(AddressValue, NamedConstructors) {
    const uint8_t mask24[16] = {0xFF, 0xFF, 0xFF};
    const uint8_t maskStray[16] = {0xFF, 0xFF, 0x7F};
    const uint8_t loopback[16] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1};
    uint32_t v4;
    inet_pton(AF_INET, "10.1.2.3", &v4);
    uint32_t mask;
    inet_pton(AF_INET, "255.255.0.0", &mask);
    const CSilAddress source(u"10.1.2.3/8:80");
    const CSilAddress source6(u"[fe80::1%3/64]:443");
    struct Case {
        const char* name;
        CSilAddress value;
        SilAddressRecord expected;
    };
    const Case cases[] = {
        // The port is replaced and the prefix goes back to the family default.
        {"WithPort IPv4", CSilAddress::WithPort(source, 5008), V4("10.1.2.3", 5008)},
        {"WithPort IPv6", CSilAddress::WithPort(source6, 5008), V6("fe80::1", 5008, 128, 3)},
        {"WithPort empty", CSilAddress::WithPort(CSilAddress(), 5008), EmptyRecord()},
        {"FromFamilyAndPort 2", CSilAddress::FromFamilyAndPort(2, 80), V4("0.0.0.0", 80)},
        {"FromFamilyAndPort 23", CSilAddress::FromFamilyAndPort(23, 80), V6("::", 80)},
        {"FromFamilyAndPort 9", CSilAddress::FromFamilyAndPort(9, 80), EmptyRecord()},
        {"WithPrefix clamps IPv4", CSilAddress::WithPrefix(source, 200), V4("10.1.2.3", 80, 32)},
        {"WithPrefix clamps IPv6", CSilAddress::WithPrefix(source6, 200), V6("fe80::1", 443, 128, 3)},
        {"WithPrefix", CSilAddress::WithPrefix(source, 16), V4("10.1.2.3", 80, 16)},
        {"NetworkOf IPv4", CSilAddress::NetworkOf(source), V4("10.0.0.0", 80, 8)},
        {"NetworkOf IPv6", CSilAddress::NetworkOf(source6), V6("fe80::", 443, 64, 3)},
        {"NetworkOf bad prefix", CSilAddress::NetworkOf(CSilAddress::IPv4WithPrefix(v4, 33)),
         EmptyRecord()},
        {"IPv4WithPort", CSilAddress::IPv4WithPort(v4, 80), V4("10.1.2.3", 80)},
        {"IPv4WithMask", CSilAddress::IPv4WithMask(v4, mask), V4("10.1.2.3", 0, 16)},
        {"IPv4WithPrefix keeps 40", CSilAddress::IPv4WithPrefix(v4, 40), V4("10.1.2.3", 0, 40)},
        {"IPv6WithMask", CSilAddress::IPv6WithMask(loopback, mask24), V6("::1", 0, 24)},
        {"IPv6WithMask stray bit", CSilAddress::IPv6WithMask(nullptr, maskStray), V6("::", 0, 16)},
        {"IPv6WithPort", CSilAddress::IPv6WithPort(nullptr, 80), V6("::", 80)},
        {"IPv6WithPrefix keeps 200", CSilAddress::IPv6WithPrefix(loopback, 200), V6("::1", 0, 200)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(SameRecord(*c.value.Record(), c.expected)) << Describe(*c.value.Record());
    }
}

TEST(AddressValue, Accessors) {
    EXPECT_EQ(CSilAddress(u"[::1]:443").Port(), 443);
    EXPECT_EQ(CSilAddress(u"10.0.0.0/8").PrefixLength(), 8);
    EXPECT_EQ(CSilAddress(u"::/64").PrefixLength(), 64);
    CSilAddress odd(u"10.0.0.1:80");
    odd.Record()->family = 7;  // no address: neither port nor prefix show
    EXPECT_EQ(odd.Port(), 0);
    EXPECT_EQ(odd.PrefixLength(), 0);
}

// needed is 0 first, then the size on success and on shortage; a short
// buffer is left untouched.
TEST(AddressValue, ToRecordSizeProtocol) {
    struct Case {
        const char16_t* text;
        bool withBuffer;
        uint32_t size;
        uint32_t result;
        uint32_t needed;
    };
    const Case cases[] = {
        {u"10.1.2.3:80", true, 8, kSilOk, 8},
        {u"10.1.2.3:80", true, 7, kSilBufferTooSmall, 8},
        {u"[fe80::1%3]:443", true, 28, kSilOk, 28},
        {u"[fe80::1%3]:443", true, 16, kSilBufferTooSmall, 28},
        {u"[fe80::1%3]:443", false, 0, kSilBufferTooSmall, 28},
        {u"[fe80::1%3]:443", false, 28, kSilInvalidArgument, 0},
        {u"", true, 2, kSilOk, 2},
        {u"", true, 1, kSilBufferTooSmall, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << Narrow(c.text) << " size " << c.size);
        const CSilAddress value(c.text);
        uint8_t buffer[40];
        std::memset(buffer, 0xEE, sizeof buffer);
        uint32_t needed = 99;
        EXPECT_EQ(value.ToRecord(c.withBuffer ? buffer : nullptr, c.size, &needed), c.result);
        EXPECT_EQ(needed, c.needed);
        const size_t written = c.result == kSilOk ? c.needed : 0;
        if (value.IsEmpty()) {
            EXPECT_EQ(std::memcmp(buffer, "\0\0", written), 0);
        } else {
            EXPECT_EQ(std::memcmp(buffer, value.Record(), written), 0);
        }
        EXPECT_EQ(buffer[written], 0xEE);
    }
}

TEST(AddressValue, FamilyFilteredCopies) {
    const CSilAddress v4(u"10.1.2.3:80");
    const CSilAddress v6(u"[fe80::1%3]:443");
    const SilAddressRecord zero = EmptyRecord();
    for (size_t length : {8, 16, 24, 28, 32}) {
        SCOPED_TRACE(length);
        SilAddressRecord out;
        std::memset(&out, 0xEE, sizeof out);
        EXPECT_EQ(v4.CopyIPv4Record(&out, length), kSilOk);
        EXPECT_EQ(std::memcmp(&out, v4.Record(), length), 0);
        EXPECT_EQ(v6.CopyIPv4Record(&out, length), kSilOk);
        EXPECT_EQ(std::memcmp(&out, &zero, length), 0);
        EXPECT_EQ(v6.CopyIPv6Record(&out, length), kSilOk);
        EXPECT_EQ(std::memcmp(&out, v6.Record(), length), 0);
        EXPECT_EQ(v4.CopyIPv6Record(&out, length), kSilOk);
        EXPECT_EQ(std::memcmp(&out, &zero, length), 0);
    }
    SilAddressRecord out;
    EXPECT_EQ(v4.CopyIPv4Record(&out, 12), kSilInvalidArgument);
    EXPECT_EQ(v4.CopyIPv4Record(nullptr, 8), kSilInvalidArgument);
}

TEST(AddressValue, Equality) {
    struct Case {
        SilAddressRecord a, b;
        bool equal;
    };
    const Case cases[] = {
        {EmptyRecord(), EmptyRecord(), false},  // two empty values are unequal
        {V4("1.2.3.4", 80, 8), V4("1.2.3.4", 80, 8), true},
        {V4("1.2.3.4", 80, 8), V4("1.2.3.4", 81, 8), false},
        {V4("1.2.3.4", 80, 8), V4("1.2.3.4", 80, 9), false},
        {V4("1.2.3.4"), V4("1.2.3.5"), false},
        {V4("0.0.0.0"), V6("::"), false},
        {WithFlow(V6("fe80::1", 1, 64, 3), 1), WithFlow(V6("fe80::1", 1, 64, 3), 2), true},
        {V6("fe80::1", 1, 64, 3), V6("fe80::1", 1, 64, 4), false},
        {V6("fe80::1", 1, 64, 3), V6("fe80::1", 1, 63, 3), false},
        {V6("fe80::1", 1, 64, 3), V6("fe80::2", 1, 64, 3), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Describe(c.a) + " vs " + Describe(c.b));
        const CSilAddress a(&c.a);
        const CSilAddress b(&c.b);
        EXPECT_EQ(a == b, c.equal);
        EXPECT_EQ(a != b, !c.equal);
    }
}

TEST(AddressValue, CopiesTakeTheWholeRecord) {
    CSilAddress a(u"[fe80::1%3/64]:443");
    a.Record()->v6.zero[2] = 0x77;  // even bytes outside the fields
    CSilAddress b(a);
    EXPECT_TRUE(SameRecord(*a.Record(), *b.Record()));
    CSilAddress c;
    c = a;
    EXPECT_TRUE(SameRecord(*a.Record(), *c.Record()));
    CSilAddress& self = c;
    c = self;
    EXPECT_TRUE(SameRecord(*a.Record(), *c.Record()));
}

TEST(AddressValue, ToText) {
    SilAddressText text;
    std::memset(&text, 0x41, sizeof text);
    CSilAddress value(u"[fe80::1%12]:443");
    EXPECT_EQ(value.ToText(&text, 0), &text);
    EXPECT_EQ(std::u16string(text.wide), u"[fe80::1%12]:443");
    EXPECT_STREQ(text.narrow, "[fe80::1%12]:443");
    EXPECT_EQ(value.ToText(&text, AddressFormatFlags::NeverPort), &text);
    EXPECT_STREQ(text.narrow, "fe80::1%12");

    // A format that fails leaves both strings empty.
    std::memset(&text, 0x41, sizeof text);
    value.Record()->v6.prefixLength = 200;
    EXPECT_EQ(value.ToText(&text, 0), &text);
    EXPECT_EQ(text.wide[0], 0);
    EXPECT_EQ(text.narrow[0], 0);
    EXPECT_EQ(value.ToText(nullptr, 0), nullptr);
}

}  // namespace
