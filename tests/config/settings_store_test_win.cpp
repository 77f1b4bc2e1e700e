// The settings reads that no export reaches, in process against the
// registry: both stores and both levels, the text store's refusals, the
// number and text forms, a blob chained across pieces, and the client's
// preferences built on them (a damaged blob's walk: settings_blob_test.cpp).
#include <gtest/gtest.h>

#include <windows.h>

#include "config/settings_preferences_win.h"
#include "config/settings_store_win.h"
#include "settings_blob_image.h"
#include "support/settings_stores.h"

namespace qltest {
namespace {

using namespace qlclapi;
using qlsim::BlobEntry;

void Blob(std::vector<BlobEntry> entries, bool user = false) {
    qlsim::BlobImage image;
    image.entries = std::move(entries);
    ASSERT_TRUE(SettingsStores::SetBlob(qlsim::BuildBlob(image), user));
}

BlobEntry Bytes(uint32_t id, std::vector<uint8_t> data, int32_t status = 0) { return BlobEntry{id, status, data, -1}; }
BlobEntry Number(uint32_t id, uint32_t value) { return Bytes(id, qlsim::NumberData(value)); }

class SettingsStore : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(SettingsStores::Clear() && SettingsStores::UseBinaryStore()); }
    static uint32_t Dword(uint32_t id, ConfigStatus expected) {
        uint32_t value = 0xA5A5A5A5;
        EXPECT_EQ(ReadSettingDword(id, &value, 0), expected) << id;
        return value;
    }
};

constexpr uint32_t kUserSetting = 1037;   // A_VESEnableTrayMenu, 0x11
constexpr uint32_t kRefused = 24851;      // A_DIAG_CustomTests, 0x6
constexpr uint32_t kMachine = 24850;      // 0x2
constexpr uint32_t kUnknown = 0x12345;

TEST_F(SettingsStore, TextStoreLevelsAndRefusals) {
    ASSERT_TRUE(SettingsStores::UseTextStore());
    EXPECT_EQ(IsSettingsCookieAbsent(0), 0u);
    ASSERT_TRUE(SettingsStores::SetText(kUserSetting, L"11", true) && SettingsStores::SetText(kUserSetting, L"22"));
    EXPECT_EQ(Dword(kUserSetting, kConfigOk), 11u) << "the user level is read first";
    wchar_t text[16];
    uint32_t units = 16;
    EXPECT_EQ(ReadSettingText(kUserSetting, text, &units, 1, 0, 0, 0), kConfigOk);
    EXPECT_EQ(std::wstring(text), L"22") << "skip user reads the machine level";
    ASSERT_TRUE(SettingsStores::DeleteValue((std::wstring(SettingsStores::kCurrentPath) + L"\\UserSettings").c_str(),
                                           L"0000040D"));
    EXPECT_EQ(Dword(kUserSetting, kConfigOk), 22u) << "without a user value, the machine one";
    ASSERT_TRUE(SettingsStores::SetText(kMachine, L"5", true));
    EXPECT_EQ(Dword(kMachine, kConfigFailed), 0xA5A5A5A5u) << "a machine setting has no user level";

    for (uint32_t id : {kRefused, kUnknown}) {
        ASSERT_TRUE(SettingsStores::SetText(id, L"9") && SettingsStores::SetText(id, L"8", true));
        EXPECT_EQ(Dword(id, kConfigFailed), 0xA5A5A5A5u) << "flag 0x4 and unknown settings are refused";
        units = 16;
        EXPECT_EQ(ReadSettingText(id, text, &units, 0, 1, 0, 0), kConfigOk);
        EXPECT_EQ(std::wstring(text), L"9") << "ignoring the flags, the user level is not looked at";
    }
}

TEST_F(SettingsStore, TextStoreSizesAndTerminators) {
    ASSERT_TRUE(SettingsStores::UseTextStore());
    ASSERT_TRUE(SettingsStores::SetText(kMachine, L"12345", false, false));
    wchar_t text[8];
    std::fill(text, text + 8, L'#');
    uint32_t units = 8;
    EXPECT_EQ(ReadSettingString(kMachine, text, &units, 0, 0), kConfigOk);
    // The count is the platform's: Wine counts the terminator it adds to a
    // string stored without one, Windows does not; the library adds none.
    EXPECT_TRUE(units == 5 || (units == 6 && text[5] == 0)) << units;
    EXPECT_EQ(std::wstring(text, 5), L"12345");
    EXPECT_EQ(std::wstring(text + 6, 2), L"##") << "nothing written past the value";
    EXPECT_EQ(Dword(kMachine, kConfigOk), 12345u) << "the number read stops at the 12 units it read";
    units = 3;
    EXPECT_EQ(ReadSettingString(kMachine, text, &units, 0, 0), kConfigFailed);
    EXPECT_GE(units, 5u) << "a value that does not fit reports its size";
    units = 0;
    EXPECT_EQ(ReadSettingString(kMachine, nullptr, &units, 0, 0), kConfigOk);
    EXPECT_GE(units, 5u);
    units = 4;
    EXPECT_EQ(ReadSettingString(kMachine, nullptr, &units, 0, 0), kConfigInvalidArgument);
    EXPECT_EQ(ReadSettingDword(kMachine, nullptr, 0), kConfigInvalidArgument);
    EXPECT_EQ(ReadSettingStringWhole(kMachine), L"12345");
    // Twelve units fill the buffer: either the registry read (when the
    // platform wants room for a terminator) or the conversion fails.
    ASSERT_TRUE(SettingsStores::SetText(kMachine, L"123456789012", false, false));
    uint32_t value = 0xA5A5A5A5;
    EXPECT_NE(ReadSettingDword(kMachine, &value, 0) & 0x80000000u, 0u);
    EXPECT_EQ(value, 0xA5A5A5A5u);
}

TEST_F(SettingsStore, BinaryStoreLevelsSizesAndDamage) {
    EXPECT_EQ(IsSettingsCookieAbsent(0), 1u);
    EXPECT_EQ(Dword(kMachine, kConfigFailed), 0xA5A5A5A5u) << "no RpcSettings at all";
    Blob({Number(kUserSetting, 3), Bytes(kMachine, {7, 0}), Bytes(24872, {1, 2, 3, 4, 5, 6, 7, 8})});
    EXPECT_EQ(Dword(kMachine, kConfigOk), 0xA5A50007u) << "a 2-byte entry changes the first 2 bytes";
    EXPECT_EQ(Dword(24872, kConfigBufferTooSmall), 0xA5A5A5A5u);
    EXPECT_EQ(Dword(kUserSetting, kConfigOk), 3u) << "RpcUserSettings unreadable: RpcSettings serves";
    EXPECT_EQ(Dword(kRefused, kConfigNotFound), 0xA5A5A5A5u);
    Blob({Number(1038, 4)}, true);
    EXPECT_EQ(Dword(kUserSetting, kConfigNotFound), 0xA5A5A5A5u) << "RpcSettings is no fallback for a missing entry";
    EXPECT_EQ(Dword(1038, kConfigOk), 4u);
    ASSERT_TRUE(SettingsStores::SetBlob({}, true));
    EXPECT_EQ(Dword(kUserSetting, kConfigOk), 0xA5A5A5A5u) << "an empty store is success with nothing read";

    constexpr uint32_t kText = 1186;  // A_VES_LocalityServerAddress, a machine setting
    Blob({Bytes(kText, qlsim::TextData(u"Hi"))});
    wchar_t text[8] = {};
    uint32_t units = 8;
    EXPECT_EQ(ReadSettingString(kText, text, &units, 0, 0), kConfigOk);
    EXPECT_EQ(units, 3u) << "bytes halved, the stored terminator included";
    EXPECT_EQ(std::wstring(text), L"Hi");
    units = 2;
    EXPECT_EQ(ReadSettingString(kText, text, &units, 0, 0), kConfigBufferTooSmall);
    EXPECT_EQ(units, 3u);
    EXPECT_EQ(ReadSettingStringWhole(kText), L"Hi");

    // A blob larger than one registry piece, its entry in the second piece.
    Blob({Bytes(1, std::vector<uint8_t>(70000, 0xEE)), Number(kMachine, 9)});
    EXPECT_EQ(Dword(kMachine, kConfigOk), 9u);
}

TEST_F(SettingsStore, ClearingTheTextStore) {
    ASSERT_TRUE(SettingsStores::UseTextStore() && SettingsStores::SetText(kMachine, L"1") &&
                SettingsStores::SetText(24879, L"1"));
    ClearSettingsText(L"Settings");
    EXPECT_EQ(IsSettingsCookieAbsent(0), 1u);
    ASSERT_TRUE(SettingsStores::UseTextStore());
    EXPECT_EQ(Dword(kMachine, kConfigFailed), 0xA5A5A5A5u);
    EXPECT_EQ(Dword(24879, kConfigFailed), 0xA5A5A5A5u);
}

TEST_F(SettingsStore, PreferencesFromSettingsAndKeys) {
    ASSERT_TRUE(SettingsStores::UseTextStore());
    SettingsStores::DeleteValue(SettingsStores::kParamsPath, L"DefaultPassthruMode");
    SettingsStores::DeleteValue(SettingsStores::kParamsPath, L"HelloListMask");
    SettingsStores::DeleteValue(SettingsStores::kParamsPath, L"AllowCertAuth");
    SettingsStores::DeleteValue(SettingsStores::kCurrentPath, L"HelloListMask");
    EXPECT_EQ(GetDefaultPassthruMode(), 0u);
    ASSERT_TRUE(SettingsStores::SetText(1059, L"1"));
    EXPECT_EQ(GetDefaultPassthruMode(), 1u);
    ASSERT_TRUE(SettingsStores::SetParamsDword(L"DefaultPassthruMode", 5));
    EXPECT_EQ(GetDefaultPassthruMode(), 5u) << "the client's own choice";
    ASSERT_TRUE(SettingsStores::SetText(1061, L"0"));
    EXPECT_EQ(GetDefaultPassthruMode(), 1u) << "the client may not choose";
    ASSERT_TRUE(SettingsStores::SetText(1096, L"1"));
    EXPECT_EQ(GetDefaultPassthruMode(), 2u);

    uint32_t mask = 0;
    EXPECT_EQ(GetHelloListMask(&mask), kConfigOk);
    EXPECT_EQ(mask, 0x106Bu & ~0x10u);
    ASSERT_TRUE(SettingsStores::SetText(1067, L"255") && SettingsStores::SetStateDword(L"HelloListMask", 0x1F3));
    GetHelloListMask(&mask);
    EXPECT_EQ(mask, 0xE3u);

    ASSERT_TRUE(SettingsStores::SetStateDword(L"UserCredentialType", 5));
    EXPECT_EQ(GetUserCredentialType(), 8u);
    EXPECT_EQ(SettingsStores::ReadStateDword(L"UserCredentialType", 0), 8u) << "5 is rewritten as 8";
    ASSERT_TRUE(SettingsStores::SetParamsDword(L"AllowCertAuth", 0));
    EXPECT_EQ(GetUserCredentialType(), 1u);
    ASSERT_TRUE(SettingsStores::SetStateDword(L"UserCredentialType", 4));
    EXPECT_EQ(GetUserCredentialType(), 1u);

    ASSERT_TRUE(SettingsStores::SetStateString(L"ComputerName", L"WORKSTATION7"));
    const std::pair<const wchar_t*, uint32_t> kNames[] = {
        {nullptr, 1}, {L"", 1}, {L"<none>", 1}, {L".", 1}, {L".\\", 1}, {L"..", 0},
        {L"workstation7", 1}, {L"Workstation7 (local)", 1}, {L"WORKSTATION", 0}, {L"corp\\alice", 0}};
    for (const auto& n : kNames) EXPECT_EQ(IsLocalAccountName(n.first), n.second) << (n.first ? n.first : L"(null)");
    EXPECT_EQ(IsTrayMenuEnabled(), 1u) << "on unless a setting says otherwise";
    EXPECT_EQ(DialogsAllowed(), 1u);
}

}  // namespace
}  // namespace qltest
