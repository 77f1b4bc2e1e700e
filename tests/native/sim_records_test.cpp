// Reading back the interface table that tools change in the simulated
// driver: a table as the driver's side writes it reads back whole, and a
// hostile one is read only as far as its bytes and fields go, with the
// first fault named.
#include <gtest/gtest.h>

#include <cstring>

#include "sim_records.h"

namespace {

using qlsim::SimInterface;

SimInterface Rich(const char16_t* name, uint8_t last) {
    SimInterface i;
    i.value4 = last;
    i.value16 = 0x1122334455667788ull;
    i.flags = 0x30;
    i.name = name;
    i.physical = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, last};
    i.addresses = {qlsim::IPv4Record(10, 1, 2, last, 5008),
                   qlsim::IPv6Record({0xFE, 0x80, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, last}, 7, 443)};
    i.value5112 = ~0ull;
    i.secondText = u"second";
    i.trailing = {1, 2, 3};
    return i;
}

TEST(InterfaceTableReading, WhatTheDriverSideWritesReadsBackWhole) {
    SimInterface full = Rich(u"", 9);
    full.name.assign(qlsim::kSimNameMaxUnits, u'x');
    full.physical.assign(qlsim::kSimPhysicalMaxBytes, 0xAB);
    full.addresses.assign(qlsim::kSimAddressMaxSlots, qlsim::IPv4Record(1, 2, 3, 4));
    full.secondText.assign(qlsim::kSimSecondTextMaxUnits, u'y');
    full.trailing.assign(qlsim::kSimTrailingMaxBytes, 0xCD);
    for (const auto& interfaces : {std::vector<SimInterface>{}, {Rich(u"eth0", 1), Rich(u"wlan\u00e9", 2)}, {full}}) {
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
    size_t entries;       // read
    const char* fault;    // the start of the fault named
};

std::vector<uint8_t> Patched(std::vector<uint8_t> table, size_t offset, int32_t value) {
    memcpy(&table[offset], &value, sizeof value);
    return table;
}

std::vector<uint8_t> WithClaims(void (*claim)(SimInterface&), int64_t count = INT64_MIN) {
    SimInterface second = Rich(u"b", 2);
    claim(second);
    return qlsim::InterfaceTableBytes({Rich(u"a", 1), second}, count);
}

class HostileTable : public testing::TestWithParam<HostileCase> {};

TEST_P(HostileTable, IsReadOnlyAsFarAsItsBytesAndFieldsGo) {
    qlsim::InterfaceTableReading reading = qlsim::ReadInterfaceTable(GetParam().table);
    EXPECT_EQ(reading.interfaces.size(), GetParam().entries);
    EXPECT_EQ(reading.fault.rfind(GetParam().fault, 0), 0u) << reading.fault;
    for (const SimInterface& i : reading.interfaces) {
        EXPECT_LE(i.name.size(), qlsim::kSimNameMaxUnits + 1);
        EXPECT_LE(i.physical.size(), qlsim::kSimPhysicalMaxBytes);
        EXPECT_LE(i.addresses.size(), qlsim::kSimAddressMaxSlots);
        EXPECT_LE(i.secondText.size(), qlsim::kSimSecondTextMaxUnits);
        EXPECT_LE(i.trailing.size(), qlsim::kSimTrailingMaxBytes);
    }
}

const size_t kSecondEntry = qlsim::kSimInterfaceTableHeaderBytes + qlsim::kSimInterfaceEntryBytes;
const auto kNoClaim = [](SimInterface&) {};
const std::vector<uint8_t> kTwo = WithClaims(kNoClaim);

INSTANTIATE_TEST_SUITE_P(
    Faults, HostileTable,
    testing::Values(
        HostileCase{"ShortHeader", {1, 0, 0, 0, 0}, 0, "5 bytes, fewer than"},
        HostileCase{"CountBeyondEntries", WithClaims(kNoClaim, 3), 2, "entry count 3, but 2"},
        HostileCase{"CountBelowEntries", WithClaims(kNoClaim, 1), 1, "entry count 1, but 2"},
        HostileCase{"NegativeCount", WithClaims(kNoClaim, -1), 0, "entry count -1"},
        HostileCase{"PartialEntry", std::vector<uint8_t>(kTwo.begin(), kTwo.end() - 1), 1, "entry count 2, but 1"},
        HostileCase{"NameWithoutTerminator",
                    WithClaims([](SimInterface& i) { i.nameFillsFieldWithoutTerminator = true; }), 2,
                    "interface 2: the name has no terminator"},
        HostileCase{"PhysicalLength", WithClaims([](SimInterface& i) { i.physicalLengthClaim = 255; }), 2,
                    "interface 2: physical address length 255"},
        HostileCase{"AddressCount", WithClaims([](SimInterface& i) { i.slotCountClaim = 84; }), 2,
                    "interface 2: address count 84"},
        HostileCase{"NegativeAddressCount", Patched(kTwo, kSecondEntry + 1080, -5), 2,
                    "interface 2: address count -5"},
        HostileCase{"SecondTextLength", WithClaims([](SimInterface& i) { i.secondTextLengthClaim = 0xFFFFFFFF; }), 2,
                    "interface 2: second text length 4294967295"},
        HostileCase{"TrailingLength", WithClaims([](SimInterface& i) { i.trailingLengthClaim = 17; }), 2,
                    "interface 2: trailing length 17"}),
    [](const testing::TestParamInfo<HostileCase>& info) { return info.param.name; });

TEST(InterfaceTableReading, AnUnevenTailIsAFaultOfItsOwn) {
    std::vector<uint8_t> table = qlsim::InterfaceTableBytes({Rich(u"a", 1)});
    table.resize(table.size() + 100);
    qlsim::InterfaceTableReading reading = qlsim::ReadInterfaceTable(table);
    EXPECT_EQ(reading.interfaces.size(), 1u);
    EXPECT_EQ(reading.fault, "100 bytes after the last whole entry");
}

}  // namespace
