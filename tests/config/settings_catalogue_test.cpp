// The settings catalogue: its size and order, the entries other code reads
// by identifier, the flag tests with their defaults for unknown settings,
// and the value names formed from identifiers.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "config/settings_catalogue.h"

namespace {

using namespace qlclapi;

std::u16string Name(uint32_t id) {
    const SettingDefinition* entry = FindSetting(id);
    return entry ? entry->name : u"";
}

TEST(SettingCatalogue, HoldsEveryEntryInTheClientsOrder) {
    ASSERT_EQ(sizeof kSettingCatalogue / sizeof kSettingCatalogue[0], 186u);
    struct Position {
        size_t index;
        uint32_t id, flags;
        std::u16string name;
    };
    // First and last of each flag group a transcription could shift.
    const Position kPositions[] = {
        {0, 1318, 0x10, u"A_RPC_TcpProxyMode"},
        {17, 1173, 0x10, u"A_VES_FilterLinkLocalMulticast"},
        {18, 1190, 0x11, u"A_VES_VorantisUserName"},
        {19, 6146, 0x12, u"A_DeviceClass"},
        {20, 8194, 0x13, u"A_UserSet"},
        {56, 1190, 0x10, u"A_VES_VorantisUserName"},
        {127, 1192, 0x10, u"A_VES_PerAppDisallowedApplications"},
        {128, 1202, 0x11, u"A_VES_IgnoreFatalDisconnect"},
        {146, 1213, 0x0, u"A_VES_OverrideFirewall"},
        {147, 1200, 0x6, u"A_VES_QuorlanServices_Id"},
        {152, 24833, 0x6, u"A_DIAG_BandwidthTest"},
        {170, 24850, 0x2, u"A_DIAG_EnableClientReports"},
        {171, 24851, 0x6, u"A_DIAG_CustomTests"},
        {174, 24872, 0x2, u"A_DIAG_EnableBandwidthTest"},
        {177, 24875, 0xE, u"A_DIAG_AuthToken"},
        {185, 24879, 0x20, u"A_DIAG_CollectReputation"},
    };
    for (const Position& p : kPositions) {
        const SettingDefinition& entry = kSettingCatalogue[p.index];
        EXPECT_EQ(entry.id, p.id) << "entry " << p.index;
        EXPECT_EQ(entry.flags, p.flags) << "entry " << p.index;
        EXPECT_EQ(std::u16string(entry.name), p.name) << "entry " << p.index;
    }
    // Only 1190 is listed twice, and a name always names one identifier.
    std::map<uint32_t, int> seen;
    std::map<std::u16string, uint32_t> names;
    for (const SettingDefinition& entry : kSettingCatalogue) {
        ++seen[entry.id];
        EXPECT_EQ(entry.name[0] == u'A' && entry.name[1] == u'_', true) << entry.id;
        auto inserted = names.emplace(entry.name, entry.id);
        EXPECT_EQ(inserted.first->second, entry.id);
    }
    for (const auto& s : seen) EXPECT_EQ(s.second, s.first == 1190 ? 2 : 1) << s.first;
}

TEST(SettingCatalogue, FlagTestsSeeTheFirstEntryAndDefaultForUnknownIds) {
    struct Case {
        uint32_t id, mask, fallback, expected;
    };
    const Case kCases[] = {
        {1190, 0xFF, 7, 0x11},      // the first of its two entries
        {24875, 0x8, 0, 0x8},       {24875, 0x1FF, 0, 0xE},  // the mask counts in its low 8 bits only
        {24850, 0x4, 1, 0},         {24851, 0x4, 1, 0x4},
        {1037, 0x1, 0, 1},          {1211, 0xFF, 9, 0},      // flags 0: known, nothing set
        {0, 0xFF, 5, 5},            {0xFFFFFFFF, 0x4, 1, 1},
    };
    for (const Case& c : kCases) EXPECT_EQ(SettingHasFlags(c.id, c.mask, c.fallback), c.expected) << c.id;
    EXPECT_EQ(IsUserSetting(1190), 1u);
    EXPECT_EQ(IsUserSetting(24850), 0u);
    EXPECT_EQ(IsUserSetting(12345), 0u);
    EXPECT_EQ(IsRefusedByTextStore(24840), 4u);
    EXPECT_EQ(IsRefusedByTextStore(24872), 0u);
    EXPECT_EQ(IsRefusedByTextStore(12345), 1u) << "an unknown setting is refused by the text store";
    EXPECT_EQ(HasSettingFlag8(24875), 8u);
    EXPECT_EQ(HasSettingFlag8(12345), 0u);
    EXPECT_EQ(IsKnownSetting(13350), 1u);
    EXPECT_EQ(IsKnownSetting(13351), 0u);
    EXPECT_EQ(Name(16390), u"A_DA_RADIUS_SameAsUser");
    ASSERT_NE(FindSettingByName(u"A_DIAG_EnableBandwidthTest"), nullptr);
    EXPECT_EQ(FindSettingByName(u"A_DIAG_EnableBandwidthTest")->id, 24872u);
    EXPECT_EQ(FindSettingByName(u"A_DIAG_EnableBandwidth"), nullptr);
    EXPECT_EQ(FindSettingByName(u"A_DIAG_EnableBandwidthTestX"), nullptr);
}

TEST(SettingCatalogue, ValueNamesAreEightUpperCaseHexDigits) {
    struct Case {
        uint32_t id;
        std::u16string name;
    };
    const Case kCases[] = {{24850, u"00006112"}, {24872, u"00006128"}, {0, u"00000000"},
                           {0xFFFFFFFF, u"FFFFFFFF"}, {0xABCDEF01, u"ABCDEF01"}};
    for (const Case& c : kCases) {
        char16_t buffer[12];
        std::fill(buffer, buffer + 12, u'#');
        ASSERT_EQ(FormatSettingId(c.id, buffer, 9), kConfigOk);
        EXPECT_EQ(std::u16string(buffer), c.name);
        EXPECT_EQ(buffer[9], u'#') << "wrote past the terminator";
    }
    char16_t small[8] = {u'#'};
    EXPECT_EQ(FormatSettingId(1, small, 8), kConfigBufferTooSmall);
    EXPECT_EQ(small[0], u'#');
}

}  // namespace
