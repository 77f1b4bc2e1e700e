// Record-level operations: masks and prefixes in both directions, networks,
// prefix membership and address arrays.
#include <gtest/gtest.h>

#include "address_test_support.h"

namespace {

uint32_t IPv4(const char* text) {
    uint32_t value;
    inet_pton(AF_INET, text, &value);
    return value;
}

TEST(AddressRecord, IPv4MasksAndPrefixes) {
    const struct {
        const char* mask;
        uint8_t prefix;
        bool contiguous;  // the mask is also what the prefix gives back
    } cases[] = {
        {"0.0.0.0", 0, true},        {"128.0.0.0", 1, true},
        {"255.255.254.0", 23, true}, {"255.255.255.255", 32, true},
        // Only trailing zero bits count.
        {"255.0.255.0", 24, false},  {"0.0.0.1", 32, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PrefixFromIPv4Mask(IPv4(c.mask)), c.prefix) << c.mask;
        uint32_t mask = 1;
        EXPECT_EQ(IPv4MaskFromPrefix(c.prefix, &mask), kSilOk);
        if (c.contiguous) EXPECT_EQ(mask, IPv4(c.mask)) << c.mask;
    }
    uint32_t mask;
    EXPECT_EQ(IPv4MaskFromPrefix(33, &mask), kSilInvalidArgument);
}

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

TEST(AddressRecord, NetworkKeepsPortZoneAndPrefix) {
    const SilAddressRecord v4 = V4("10.1.255.3", 80, 12);
    const SilAddressRecord v6 = V6("2001:db8:ffff::1", 443, 35, 3);
    SilAddressRecord out;
    ASSERT_EQ(NetworkOfRecord(&v4, &out), kSilOk);
    EXPECT_TRUE(SameRecord(out, V4("10.0.0.0", 80, 12))) << Describe(out);
    ASSERT_EQ(NetworkOfRecord(&v6, &out), kSilOk);
    EXPECT_TRUE(SameRecord(out, V6("2001:db8:e000::", 443, 35, 3))) << Describe(out);
    const SilAddressRecord empty = EmptyRecord();
    EXPECT_EQ(NetworkOfRecord(&empty, &out), kSilInvalidArgument);
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
