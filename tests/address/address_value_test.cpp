// The address value: what each constructor of CSilAddress takes from its
// source, the named constructors, the out-conversions and their size
// protocol, equality; and the record-level operations under them (masks and
// prefixes both ways, prefix membership, address arrays).
#include <gtest/gtest.h>

#include "address_test_support.h"

namespace {

SilAddressRecord With(SilAddressRecord r, uint32_t flow, uint16_t family = 0) {
    r.v6.flowInfo = flow;
    if (family != 0) r.family = family;
    return r;
}

TEST(AddressValue, ConstructionFromDriverRecords) {
    // Bytes past an IPv4 address are not the driver's and must not be taken.
    SilAddressRecord v4 = V4("10.1.2.3", 80, 8);
    std::memset(reinterpret_cast<uint8_t*>(&v4) + 9, 0x5A, 23);
    const SilAddressRecord v6 = With(V6("fe80::1", 443, 64, 3), 7);
    const auto* v4Short = reinterpret_cast<const DriverAddressRecordShort*>(&v4);
    const auto* v6Short = reinterpret_cast<const DriverAddressRecordShort*>(&v6);
    // The short record has no port of its own, nor flow info.
    ExpectRecord(CSilAddress(v4Short), V4("10.1.2.3"), "short IPv4");
    ExpectRecord(CSilAddress(v6Short), V6("fe80::1", 0, 128, 3), "short IPv6");
    ExpectRecord(CSilAddress(reinterpret_cast<const DriverAddressRecord*>(&v4)), V4("10.1.2.3", 80),
                 "driver IPv4");
    ExpectRecord(CSilAddress(reinterpret_cast<const DriverAddressRecord*>(&v6)),
                 With(V6("fe80::1", 443, 128, 3), 7), "driver IPv6");
    ExpectRecord(CSilAddress(&v6), v6, "full IPv6");
    const CSilAddress full(&v4);  // bytes 0..11 only
    EXPECT_EQ(std::memcmp(full.Record(), &v4, 12), 0);
    EXPECT_EQ(full.Record()->v4.zero[3], 0);
    ExpectRecord(CSilAddress(static_cast<const DriverAddressRecord*>(nullptr)), EmptyRecord(),
                 "null");
    const SilAddressRecord odd = With(V4("1.2.3.4"), 0, 7);
    ExpectRecord(CSilAddress(&odd), EmptyRecord(), "family 7");
}

TEST(AddressValue, Text) {
    ExpectRecord(CSilAddress(u"[fe80::1%3/64]:443"), V6("fe80::1", 443, 64, 3), "parsed");
    ExpectRecord(CSilAddress(u"1.2.3.4:99999"), EmptyRecord(), "invalid");
    CSilAddress value(u"1.2.3.4");
    EXPECT_EQ(value.SetFromText(u"1.2.3.4/8", AddressParseFlags::RejectPrefix), kAddressTextInvalid);
    EXPECT_TRUE(value.IsEmpty());

    SilAddressText text;
    std::memset(&text, 0x41, sizeof text);
    value = CSilAddress(u"[fe80::1%12]:443");
    EXPECT_EQ(value.ToText(&text, 0), &text);
    EXPECT_EQ(std::u16string(text.wide), u"[fe80::1%12]:443");
    EXPECT_STREQ(text.narrow, "[fe80::1%12]:443");
    // A format that fails leaves both strings empty.
    std::memset(&text, 0x41, sizeof text);
    value.Record()->v6.prefixLength = 200;
    value.ToText(&text, 0);
    EXPECT_EQ(text.wide[0], 0);
    EXPECT_EQ(text.narrow[0], 0);
}

TEST(AddressValue, NamedConstructors) {
    const uint8_t mask24[16] = {0xFF, 0xFF, 0xFF};
    const uint8_t maskStray[16] = {0xFF, 0xFF, 0x7F};
    const uint8_t loopback[16] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1};
    uint32_t v4, mask;
    inet_pton(AF_INET, "10.1.2.3", &v4);
    inet_pton(AF_INET, "255.255.0.0", &mask);
    const CSilAddress a(u"10.1.2.3/8:80");
    const CSilAddress b(u"[fe80::1%3/64]:443");
    const struct {
        const char* name;
        CSilAddress value;
        SilAddressRecord expected;
    } cases[] = {
        // The port is replaced and the prefix goes back to the family default.
        {"WithPort", CSilAddress::WithPort(a, 5008), V4("10.1.2.3", 5008)},
        {"WithPort IPv6", CSilAddress::WithPort(b, 5008), V6("fe80::1", 5008, 128, 3)},
        {"WithPort empty", CSilAddress::WithPort(CSilAddress(), 5008), EmptyRecord()},
        {"FromFamilyAndPort 23", CSilAddress::FromFamilyAndPort(23, 80), V6("::", 80)},
        {"FromFamilyAndPort 9", CSilAddress::FromFamilyAndPort(9, 80), EmptyRecord()},
        {"WithPrefix clamps", CSilAddress::WithPrefix(a, 200), V4("10.1.2.3", 80, 32)},
        {"WithPrefix clamps IPv6", CSilAddress::WithPrefix(b, 200), V6("fe80::1", 443, 128, 3)},
        // The network keeps port, zone and prefix; the mask need not end on a byte.
        {"NetworkOf", CSilAddress::NetworkOf(CSilAddress(u"10.1.255.3/12:80")), V4("10.0.0.0", 80, 12)},
        {"NetworkOf IPv6", CSilAddress::NetworkOf(CSilAddress(u"[2001:db8:ffff::1%3/35]:443")),
         V6("2001:db8:e000::", 443, 35, 3)},
        {"NetworkOf /33", CSilAddress::NetworkOf(CSilAddress::IPv4WithPrefix(v4, 33)), EmptyRecord()},
        {"NetworkOf empty", CSilAddress::NetworkOf(CSilAddress()), EmptyRecord()},
        {"IPv4WithPort", CSilAddress::IPv4WithPort(v4, 80), V4("10.1.2.3", 80)},
        {"IPv4WithMask", CSilAddress::IPv4WithMask(v4, mask), V4("10.1.2.3", 0, 16)},
        {"IPv4WithPrefix keeps 40", CSilAddress::IPv4WithPrefix(v4, 40), V4("10.1.2.3", 0, 40)},
        {"IPv6WithMask", CSilAddress::IPv6WithMask(loopback, mask24), V6("::1", 0, 24)},
        {"IPv6WithMask stray bit", CSilAddress::IPv6WithMask(nullptr, maskStray), V6("::", 0, 16)},
        {"IPv6WithPort", CSilAddress::IPv6WithPort(nullptr, 80), V6("::", 80)},
    };
    for (const auto& c : cases) ExpectRecord(c.value, c.expected, c.name);
    EXPECT_EQ(b.Port(), 443);
    EXPECT_EQ(b.PrefixLength(), 64);
}

// needed is 0 first, then the size on success and on shortage; a short
// buffer is left untouched.
TEST(AddressValue, ToRecordSizeProtocol) {
    const struct {
        const char16_t* text;
        bool withBuffer;
        uint32_t size, result, needed;
    } cases[] = {
        {u"10.1.2.3:80", true, 8, kSilOk, 8},
        {u"10.1.2.3:80", true, 7, kSilBufferTooSmall, 8},
        {u"[fe80::1%3]:443", true, 28, kSilOk, 28},
        {u"[fe80::1%3]:443", true, 16, kSilBufferTooSmall, 28},
        {u"[fe80::1%3]:443", false, 0, kSilBufferTooSmall, 28},
        {u"[fe80::1%3]:443", false, 28, kSilInvalidArgument, 0},
        {u"", true, 2, kSilOk, 2},
        {u"", true, 1, kSilBufferTooSmall, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << Narrow(c.text) << " size " << c.size);
        const CSilAddress value(c.text);
        uint8_t buffer[40];
        std::memset(buffer, 0xEE, sizeof buffer);
        uint32_t needed = 99;
        EXPECT_EQ(value.ToRecord(c.withBuffer ? buffer : nullptr, c.size, &needed), c.result);
        EXPECT_EQ(needed, c.needed);
        const size_t written = c.result == kSilOk ? c.needed : 0;
        const void* expected = value.IsEmpty() ? static_cast<const void*>(&kSilFamilyEmpty)
                                               : static_cast<const void*>(value.Record());
        EXPECT_EQ(std::memcmp(buffer, expected, written), 0);
        EXPECT_EQ(buffer[written], 0xEE);
    }
}

TEST(AddressValue, FamilyFilteredCopies) {
    const CSilAddress v4(u"10.1.2.3:80"), v6(u"[fe80::1%3]:443");
    const SilAddressRecord zero = EmptyRecord();
    for (size_t length : {8, 16, 24, 28, 32}) {
        SilAddressRecord out;
        EXPECT_EQ(v4.CopyIPv4Record(&out, length), kSilOk);
        EXPECT_EQ(std::memcmp(&out, v4.Record(), length), 0) << length;
        EXPECT_EQ(v6.CopyIPv4Record(&out, length), kSilOk);
        EXPECT_EQ(std::memcmp(&out, &zero, length), 0) << length;
        EXPECT_EQ(v6.CopyIPv6Record(&out, length), kSilOk);
        EXPECT_EQ(std::memcmp(&out, v6.Record(), length), 0) << length;
    }
    SilAddressRecord out;
    EXPECT_EQ(v4.CopyIPv4Record(&out, 12), kSilInvalidArgument);
}

TEST(AddressValue, Equality) {
    const struct {
        SilAddressRecord a, b;
        bool equal;
    } cases[] = {
        {EmptyRecord(), EmptyRecord(), false},  // two empty values are unequal
        {V4("1.2.3.4", 80, 8), V4("1.2.3.4", 80, 8), true},
        {V4("1.2.3.4", 80, 8), V4("1.2.3.4", 81, 8), false},
        {V4("1.2.3.4", 80, 8), V4("1.2.3.4", 80, 9), false},
        {V4("0.0.0.0"), V6("::"), false},
        {With(V6("fe80::1", 1, 64, 3), 1), With(V6("fe80::1", 1, 64, 3), 2), true},  // flow info
        {V6("fe80::1", 1, 64, 3), V6("fe80::1", 1, 64, 4), false},
        {V6("fe80::1", 1, 64, 3), V6("fe80::2", 1, 64, 3), false},
    };
    for (const auto& c : cases) {
        const CSilAddress a(&c.a), b(&c.b);
        EXPECT_EQ(a == b, c.equal) << Describe(c.a) << " vs " << Describe(c.b);
        EXPECT_EQ(a != b, !c.equal);
    }
}

// ---- Record-level operations ----------------------------------------------

TEST(AddressRecord, IPv6MasksAndPrefixes) {
    const struct {
        uint8_t mask[16];
        uint32_t result;
        uint8_t prefix;
    } cases[] = {
        {{}, kSilOk, 0},
        {{0xFF, 0xFF, 0xFF}, kSilOk, 24},
        {{0xFF, 0xFE}, kSilOk, 15},
        // The first byte that is not 0xFF ends the walk, whatever follows.
        {{0xFF, 0x80, 0xFF}, kSilOk, 9},
        {{0xFF, 0xFF, 0x7F}, kSilInvalidArgument, 16},
        {{0x01}, kSilInvalidArgument, 0},
    };
    for (const auto& c : cases) {
        uint8_t prefix = 99;
        EXPECT_EQ(PrefixFromIPv6Mask(c.mask, &prefix), c.result);
        EXPECT_EQ(prefix, c.prefix);
    }
    for (uint8_t prefix : {0, 7, 8, 64, 127, 128}) {
        uint8_t bytes[16], back = 0;
        ASSERT_EQ(IPv6MaskFromPrefix(prefix, bytes), kSilOk);
        EXPECT_EQ(PrefixFromIPv6Mask(bytes, &back), kSilOk);
        EXPECT_EQ(back, prefix);
    }
    uint8_t bytes[16];
    EXPECT_EQ(IPv6MaskFromPrefix(129, bytes), kSilInvalidArgument);
}

TEST(AddressRecord, AddressInPrefix) {
    const struct {
        SilAddressRecord address, prefix;
        uint32_t result;
    } cases[] = {
        {V4("10.1.2.3"), V4("10.0.0.0", 0, 8), kSilOk},
        {V4("11.1.2.3"), V4("10.0.0.0", 0, 8), kSilNoMatch},
        {V4("10.1.2.3"), V4("10.1.2.2", 0, 31), kSilOk},
        {V4("10.1.2.3"), V4("10.1.2.2", 0, 32), kSilNoMatch},
        {V4("200.1.2.3"), V4("10.0.0.0", 0, 0), kSilOk},
        {V4("10.1.2.3"), V4("10.0.0.0", 0, 33), kSilInvalidArgument},
        {V6("fe80::1"), V6("fec0::", 0, 10), kSilNoMatch},
        {V6("fe80::1"), V6("fec0::", 0, 9), kSilOk},
        {V6("2001:db8::1"), V6("2001:db8::", 0, 127), kSilOk},
        {V6("2001:db8::1"), V6("2001:db8::", 0, 128), kSilNoMatch},
        {V6("::1"), V6("::", 0, 129), kSilInvalidArgument},
        {V4("0.0.0.0"), V6("::", 0, 0), kSilNoMatch},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CheckAddressInPrefix(&c.address, &c.prefix), c.result)
            << Describe(c.address) << " in " << Describe(c.prefix);
    }
}

TEST(AddressRecord, Arrays) {
    SilAddressArray* array = AllocateAddressArray(3);
    ASSERT_NE(array, nullptr);
    EXPECT_EQ(array->count, 0u);
    EXPECT_TRUE(SameRecord(AddressArrayRecords(array)[2], EmptyRecord()));
    AddressArrayRecords(array)[1] = V6("::1");
    array->count = 2;
    SilAddressArray* copy = DuplicateAddressArray(array);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->count, 2u);
    EXPECT_TRUE(SameRecord(AddressArrayRecords(copy)[1], V6("::1")));
    FreeAddressArray(copy);
    FreeAddressArray(array);
}

}  // namespace
