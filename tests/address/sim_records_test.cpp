// Reading back the interface table that tools change in the simulated
// driver: what the driver's side writes reads back whole; a hostile table is
// read only as far as its bytes and fields go, and its first fault is named.
#include <gtest/gtest.h>

#include <cstring>

#include "sim_records.h"

namespace {

using qlsim::SimInterface;

// Every field at its widest, so a read that stops short or runs on shows.
SimInterface Full(char16_t letter) {
    SimInterface i;
    i.value4 = 4, i.value16 = 0x1122334455667788ull, i.flags = 0x30, i.value5112 = ~0ull;
    i.name.assign(qlsim::kSimNameMaxUnits, letter);
    i.physical.assign(qlsim::kSimPhysicalMaxBytes, 0xAB);
    i.addresses.assign(qlsim::kSimAddressMaxSlots, qlsim::IPv6Record({0xFE, 0x80, 15, 1}, 7, 443, 9));
    i.secondText.assign(qlsim::kSimSecondTextMaxUnits, letter);
    i.trailing.assign(qlsim::kSimTrailingMaxBytes, 0xCD);
    return i;
}

TEST(InterfaceTableReading, WhatTheDriverSideWritesReadsBackWhole) {
    for (const auto& interfaces : {std::vector<SimInterface>{}, {Full(u'a'), SimInterface{}, Full(u'\u00e9')}}) {
        std::vector<uint8_t> table = qlsim::InterfaceTableBytes(interfaces);
        qlsim::InterfaceTableReading reading = qlsim::ReadInterfaceTable(table);
        EXPECT_EQ(reading.fault, "");
        EXPECT_EQ(qlsim::InterfaceTableBytes(reading.interfaces), table);
    }
    EXPECT_EQ(qlsim::ReadInterfaceTable({}).fault, "") << "no record yet: an empty table";
}

struct HostileCase {
    const char* name;
    std::vector<uint8_t> table;
    size_t entriesRead;
    const char* fault;
};

// Two entries, the second one changed by `claim`, under an entry count.
std::vector<uint8_t> Two(void (*claim)(SimInterface&), int64_t count = INT64_MIN) {
    SimInterface second = Full(u'b');
    claim(second);
    return qlsim::InterfaceTableBytes({Full(u'a'), second}, count);
}
void None(SimInterface&) {}
std::vector<uint8_t> Cut(std::vector<uint8_t> table, ptrdiff_t by) {
    table.resize(table.size() + by);
    return table;
}
std::vector<uint8_t> NegativeSlotCount() {
    std::vector<uint8_t> table = Two(None);
    int32_t count = -5;
    memcpy(&table[qlsim::kSimInterfaceTableHeaderBytes + qlsim::kSimInterfaceEntryBytes + 1080], &count, 4);
    return table;
}

class HostileTable : public testing::TestWithParam<HostileCase> {};

TEST_P(HostileTable, IsReadAsFarAsItsBytesAndFieldsGo) {
    qlsim::InterfaceTableReading reading = qlsim::ReadInterfaceTable(GetParam().table);
    EXPECT_EQ(reading.interfaces.size(), GetParam().entriesRead);
    EXPECT_EQ(reading.fault, GetParam().fault);
    for (const SimInterface& i : reading.interfaces) {
        EXPECT_LE(i.physical.size(), qlsim::kSimPhysicalMaxBytes);
        EXPECT_LE(i.addresses.size(), qlsim::kSimAddressMaxSlots);
        EXPECT_LE(i.secondText.size(), qlsim::kSimSecondTextMaxUnits);
        EXPECT_LE(i.trailing.size(), qlsim::kSimTrailingMaxBytes);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Faults, HostileTable,
    testing::Values(
        HostileCase{"ShortHeader", {1, 0, 0, 0, 0}, 0, "5 bytes, fewer than the table's header"},
        HostileCase{"CountBeyondEntries", Two(None, 3), 2, "entry count 3, but 2 whole entries present"},
        HostileCase{"CountBelowEntries", Two(None, 1), 1, "entry count 1, but 2 whole entries present"},
        HostileCase{"NegativeCount", Two(None, -1), 0, "entry count -1, but 2 whole entries present"},
        HostileCase{"PartialEntry", Cut(Two(None), -1), 1, "entry count 2, but 1 whole entries present"},
        HostileCase{"TailAfterEntries", Cut(Two(None), 100), 2, "100 bytes after the last whole entry"},
        HostileCase{"NameWithoutTerminator", Two([](SimInterface& i) { i.nameFillsFieldWithoutTerminator = true; }),
                    2, "interface 2: the name has no terminator"},
        HostileCase{"PhysicalLength", Two([](SimInterface& i) { i.physicalLengthClaim = 255; }), 2,
                    "interface 2: physical address length 255 is beyond its field's 19"},
        HostileCase{"AddressCount", Two([](SimInterface& i) { i.slotCountClaim = 84; }), 2,
                    "interface 2: address count 84 is beyond its field's 83"},
        HostileCase{"NegativeAddressCount", NegativeSlotCount(), 2, "interface 2: address count -5"},
        HostileCase{"SecondTextLength", Two([](SimInterface& i) { i.secondTextLengthClaim = 0xFFFFFFFF; }), 2,
                    "interface 2: second text length 4294967295 is beyond its field's 34"},
        HostileCase{"TrailingLength", Two([](SimInterface& i) { i.trailingLengthClaim = 17; }), 2,
                    "interface 2: trailing length 17 is beyond its field's 16"}),
    [](const testing::TestParamInfo<HostileCase>& info) { return info.param.name; });

}  // namespace
