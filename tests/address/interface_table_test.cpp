// The search for the point of presence in the driver's interface table and
// the bounded reading of an entry, on tables written the way the driver
// writes them. Every table lives in a buffer exactly as long as the bytes
// "returned", so that a read past them leaves the allocation (valgrind or a
// sanitizer build reports it).
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "address/interface_table.h"
#include "sim_records.h"

namespace {

using qlsim::SimInterface;

DriverAddressRecord Record(const qlsim::AddressRecord& bytes) {
    DriverAddressRecord record;
    memcpy(&record, bytes.data(), sizeof record);
    return record;
}

// Exactly `returned` bytes on the heap.
struct Returned {
    std::unique_ptr<uint8_t[]> bytes;
    size_t size;
    explicit Returned(const std::vector<uint8_t>& table, size_t keep = SIZE_MAX)
        : bytes(new uint8_t[std::min(keep, table.size())]), size(std::min(keep, table.size())) {
        memcpy(bytes.get(), table.data(), size);
    }
};

SimInterface WithAddresses(uint32_t value4, std::vector<qlsim::AddressRecord> addresses) {
    SimInterface i;
    i.value4 = value4;
    i.addresses = std::move(addresses);
    return i;
}

uint32_t FoundValue(const std::vector<uint8_t>& table, const qlsim::AddressRecord& presence, size_t keep = SIZE_MAX) {
    Returned returned(table, keep);
    DriverAddressRecord wanted = Record(presence);
    const uint8_t* entry = FindInterfaceHolding(returned.bytes.get(), returned.size, &wanted);
    if (!entry) return 0;
    InterfaceDetails details;
    ReadInterfaceDetails(entry, &details);
    return details.value4;
}

TEST(InterfaceSearch, SlotsOfOtherFamiliesNeverMatch) {
    const auto other = qlsim::FamilyOnlyRecord(5);
    EXPECT_EQ(FoundValue(qlsim::InterfaceTableBytes({WithAddresses(1, {other})}), other), 0u);
}

TEST(InterfaceSearch, OnlyWholeEntriesThatCameBackAreSearched) {
    const auto presence = qlsim::IPv4Record(10, 1, 2, 3);
    std::vector<uint8_t> table = qlsim::InterfaceTableBytes(
        {WithAddresses(1, {qlsim::IPv4Record(10, 0, 0, 1)}), WithAddresses(2, {presence})}, 2);
    EXPECT_EQ(FoundValue(table, presence), 2u);
    // The second entry lacks one byte: it is not there.
    EXPECT_EQ(FoundValue(table, presence, table.size() - 1), 0u);
    EXPECT_EQ(InterfaceEntriesPresent(Returned(table, 7).bytes.get(), 7), 0u) << "short header";
    EXPECT_EQ(InterfaceEntriesPresent(Returned(table, 8).bytes.get(), 8), 0u);
}

TEST(InterfaceSearch, EntryCountIsBoundedByTheBytesReturned) {
    const std::pair<int64_t, size_t> cases[] = {{2, 2}, {1, 1}, {3, 2}, {0x7FFFFFFF, 2}, {0, 0}, {-1, 0}, {INT32_MIN, 0}};
    for (const auto& [claimed, present] : cases) {
        Returned returned(qlsim::InterfaceTableBytes({SimInterface{}, SimInterface{}}, claimed));
        EXPECT_EQ(InterfaceEntriesPresent(returned.bytes.get(), returned.size), present) << claimed;
    }
}

TEST(PointOfPresence, UsableOnlyWithAnAddress) {
    EXPECT_FALSE(IsUsablePointOfPresence(nullptr));
    const DriverAddressRecord none = Record(qlsim::FamilyOnlyRecord(0));
    const DriverAddressRecord zero4 = Record(qlsim::IPv4Record(0, 0, 0, 0, 80));
    const DriverAddressRecord zero6 = Record(qlsim::IPv6Record({}, 0, 80));
    const DriverAddressRecord scopeOnly = Record(qlsim::IPv6Record({}, 3));
    const DriverAddressRecord some4 = Record(qlsim::IPv4Record(10, 0, 0, 1));
    EXPECT_FALSE(IsUsablePointOfPresence(&none));
    EXPECT_FALSE(IsUsablePointOfPresence(&zero4));
    EXPECT_FALSE(IsUsablePointOfPresence(&zero6));
    const DriverAddressRecord otherFamily = Record(qlsim::FamilyOnlyRecord(5));
    EXPECT_TRUE(IsUsablePointOfPresence(&scopeOnly));
    EXPECT_TRUE(IsUsablePointOfPresence(&some4));
    EXPECT_TRUE(IsUsablePointOfPresence(&otherFamily)) << "refused by the search, not here";
}

TEST(PointOfPresence, NetworkTypeFromTwoFlagBits) {
    const uint32_t kCases[][2] = {{0x30, 3}, {0x10, 3}, {0x20, 2}, {0, 1}, {0xFFFFFFCF, 1}};
    for (const auto& c : kCases) EXPECT_EQ(NetworkTypeOfFlags(c[0]), c[1]) << c[0];
}

}  // namespace

// The buffer sizes offered to a driver that fills every one: 16 entries,
// 8 more, then doubling up to the largest table, then no more requests.
TEST(InterfaceTableGrowth, DoublesAfterTheFirstStepAndStopsAtTheLargestTable) {
    constexpr size_t kEntry = 5232;
    const std::vector<size_t> entries = {16, 24, 48, 96, 192, 384, 768, 801};
    size_t bytes = NextInterfaceTableBytes(0);
    for (size_t expected : entries) {
        ASSERT_EQ(bytes, 8 + expected * kEntry);
        ASSERT_LE(bytes, kInterfaceTableMaxBytes);
        bytes = NextInterfaceTableBytes(bytes);
    }
    EXPECT_EQ(bytes, 0u) << "a driver that fills the largest table must not be asked again";
    EXPECT_EQ(NextInterfaceTableBytes(kInterfaceTableMaxBytes), 0u);
    EXPECT_EQ(NextInterfaceTableBytes(kInterfaceTableFirstBytes), kInterfaceTableFirstBytes + kInterfaceTableGrowthBytes);
}
