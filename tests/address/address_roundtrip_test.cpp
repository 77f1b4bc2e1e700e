// Property: random records of both families, with random ports, zones,
// prefixes, flow info and stray bytes, formatted under random flags and
// parsed back, give the record again except for what text cannot carry. Each
// such exception is asserted where it applies and must occur in the sample.
#include <gtest/gtest.h>

#include <map>
#include <random>

#include "address_roundtrip_expect.h"
#include "address_test_support.h"

namespace {

class RecordSource {
public:
    explicit RecordSource(uint32_t seed) : random_(seed) {}

    SilAddressRecord Next() {
        SilAddressRecord r = EmptyRecord();
        const uint32_t pick = Below(20);
        r.family = pick < 9 ? kSilFamilyIPv4 : pick < 18 ? kSilFamilyIPv6 : pick == 18 ? 0 : 99;
        r.port = OftenZero(static_cast<uint16_t>(Below(65536)));
        if (r.family == kSilFamilyIPv4) {
            for (int i = 0; i < 4; ++i) reinterpret_cast<uint8_t*>(&r.v4.address)[i] = Byte();
            r.v4.prefixLength = Prefix(32);
        } else {
            // Whole zero groups and the tail-marking groups make compression
            // and dotted tails likely.
            static const uint16_t kGroups[] = {0, 0, 0, 0xFFFF, 0x5EFE, 0x0200, 1};
            for (int g = 0; g < 8; ++g) {
                const uint16_t group = Below(3) == 0 ? static_cast<uint16_t>(Below(65536))
                                                     : kGroups[Below(7)];
                r.v6.address[2 * g] = static_cast<uint8_t>(group >> 8);
                r.v6.address[2 * g + 1] = static_cast<uint8_t>(group);
            }
            r.v6.scopeId = OftenZero(static_cast<uint32_t>(random_()));
            r.v6.flowInfo = OftenZero(static_cast<uint32_t>(random_()));
            r.v6.prefixLength = Prefix(128);
        }
        if (Below(8) == 0) {  // stray bytes after the prefix byte
            uint8_t* bytes = reinterpret_cast<uint8_t*>(&r);
            bytes[r.family == kSilFamilyIPv4 ? 9 + Below(23) : 29 + Below(3)] = Byte();
        }
        return r;
    }

    uint32_t Flags() { return Below(64); }

private:
    uint32_t Below(uint32_t n) { return static_cast<uint32_t>(random_() % n); }
    uint8_t Byte() { return Below(4) == 0 ? 0 : static_cast<uint8_t>(random_()); }
    template <typename T>
    T OftenZero(T value) { return Below(2) == 0 ? 0 : value; }
    // Mostly in range, with the default, zero and values past the maximum.
    uint8_t Prefix(uint8_t full) {
        switch (Below(6)) {
        case 0: return 0;
        case 1: return full;
        case 2: return static_cast<uint8_t>(full + 1 + Below(255 - full));
        default: return static_cast<uint8_t>(Below(full + 1));
        }
    }

    std::mt19937 random_;
};

TEST(AddressRoundTrip, RandomRecordsComeBackExceptWhatTextCannotCarry) {
    RecordSource source(20240611);
    std::map<uint32_t, int> seen;  // Loss bit -> records it applied to
    int formatFailures = 0;
    for (int i = 0; i < 20000; ++i) {
        const SilAddressRecord record = source.Next();
        const uint32_t flags = source.Flags();
        const roundtrip::Expectation expected = roundtrip::Expect(record, flags);
        SCOPED_TRACE(Describe(record) + " flags " + std::to_string(flags));

        char16_t text[kAddressTextCapacity];
        ASSERT_EQ(FormatAddressText(&record, text, kAddressTextCapacity, nullptr, flags),
                  expected.formatResult);
        if (expected.formatResult != kAddressTextOk) {
            ++formatFailures;
            continue;
        }
        SilAddressRecord back;
        const uint32_t parsed = ParseAddressText(text, &back, nullptr, 0);
        ASSERT_EQ(parsed, expected.parses ? kAddressTextOk : kAddressTextInvalid) << Narrow(text);
        ASSERT_TRUE(SameRecord(back, expected.record))
            << Narrow(text) << "\ngot  " << Describe(back) << "\nwant " << Describe(expected.record);
        for (uint32_t bit = 1; bit <= roundtrip::kBytesBeyondFieldsDropped; bit <<= 1) {
            if (expected.losses & bit) ++seen[bit];
        }

        // The text of the record read back is the same text.
        char16_t again[kAddressTextCapacity];
        if (expected.parses) {
            ASSERT_EQ(FormatAddressText(&back, again, kAddressTextCapacity, nullptr, flags),
                      kAddressTextOk);
            EXPECT_EQ(std::u16string(again), std::u16string(text));
        }
    }
    EXPECT_GT(formatFailures, 100);
    for (uint32_t bit = 1; bit <= roundtrip::kBytesBeyondFieldsDropped; bit <<= 1) {
        EXPECT_GT(seen[bit], 100) << "loss " << bit << " never exercised";
    }
}

}  // namespace
