// qlsim settings and qlsim diag: the settings stores written exactly as the
// client writes them (checked with the registry's own reads and an
// independent blob image), refusals that change nothing, the diagnostics
// service's reading of its two gates, and its log and behaviour as the
// commands show and set them.
#include <windows.h>

#include <climits>

#include "client_settings.h"
#include "registry_raw.h"
#include "settings_blob_image.h"
#include "support/diag_service.h"
#include "support/qlsim_run.h"

namespace qltest {
namespace {

std::vector<uint8_t> Value(const wchar_t* subkey, const wchar_t* name, DWORD* type = nullptr) {
    std::wstring path = SettingsStores::kCurrentPath;
    if (subkey) path += std::wstring(L"\\") + subkey;
    HKEY key;
    std::vector<uint8_t> data;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key)) return data;
    qlsim::GetRawValue(key, name, data, type);
    RegCloseKey(key);
    return data;
}

std::vector<uint8_t> Text(const std::u16string& text, bool terminated = true) {
    std::vector<uint8_t> bytes = qlsim::TextData(text);
    if (!terminated) bytes.resize(bytes.size() - 2);
    return bytes;
}

std::vector<uint8_t> Blob(std::vector<qlsim::BlobEntry> entries) {
    qlsim::BlobImage image;
    image.entries = std::move(entries);
    return qlsim::BuildBlob(image);
}

qlsim::BlobEntry Entry(uint32_t id, std::vector<uint8_t> data, int32_t status = 0) {
    return qlsim::BlobEntry{id, status, std::move(data), -1};
}

class QlsimSettings : public DiagServiceTest {};

TEST_F(QlsimSettings, WritesEachStoreAsTheClientDoes) {
    struct Step {
        const wchar_t* arguments;
        const wchar_t* subkey;  // null: the current state key itself
        const wchar_t* value;
        std::vector<uint8_t> bytes;  // empty: the value is absent
    };
    const Step kSteps[] = {
        {L"settings store text", L"Settings", L"Cookie", {'q', 'l', 's', 'i', 'm', 0, 0, 1}},
        {L"settings set A_DIAG_EnableClientReports \" 1x\"", L"Settings", L"00006112", Text(u" 1x")},
        {L"settings set 0x6128 2 --user", L"UserSettings", L"00006128", Text(u"2")},
        {L"settings set 1186 abc --no-terminator", L"Settings", L"000004A2", Text(u"abc", false)},
        {L"settings unset 24850", L"Settings", L"00006112", {}},
        {L"settings set 24850 -2 --binary", nullptr, L"RpcSettings", Blob({Entry(24850, qlsim::NumberData(0xFFFFFFFE))})},
        {L"settings set 1186 \u00e9 --binary --string", nullptr, L"RpcSettings",
         Blob({Entry(24850, qlsim::NumberData(0xFFFFFFFE)), Entry(1186, Text(u"\u00e9"))})},
        {L"settings set 24850 0102030405 --binary --hex", nullptr, L"RpcSettings",
         Blob({Entry(1186, Text(u"\u00e9")), Entry(24850, {1, 2, 3, 4, 5})})},
        {L"settings hide 1186", nullptr, L"RpcSettings", Blob({Entry(24850, {1, 2, 3, 4, 5}), Entry(1186, {}, -1)})},
        {L"settings set 1037 1 --binary --user", nullptr, L"RpcUserSettings", Blob({Entry(1037, qlsim::NumberData(1))})},
        {L"settings store binary", L"Settings", L"Cookie", {}},
        {L"settings set 24872 9", nullptr, L"RpcSettings",
         Blob({Entry(24850, {1, 2, 3, 4, 5}), Entry(1186, {}, -1), Entry(24872, qlsim::NumberData(9))})},
        {L"settings blob 0001", nullptr, L"RpcSettings", {0, 1}},
    };
    for (const Step& step : kSteps) {
        QlsimRun run = RunQlsim(step.arguments);
        ASSERT_EQ(run.exitCode, 0u) << run.err;
        EXPECT_EQ(Value(step.subkey, step.value), step.bytes) << step.arguments;
    }
    DWORD type = 0;
    Value(L"Settings", L"000004A2", &type);
    EXPECT_EQ(type, DWORD(REG_SZ));
    QlsimRun shown = RunQlsim(L"settings show");
    EXPECT_NE(shown.out.find("store in use:      binary"), std::string::npos) << shown.out;
    EXPECT_NE(shown.out.find("RpcSettings is damaged (2 bytes)"), std::string::npos) << shown.out;
    ASSERT_EQ(RunQlsim(L"settings clear").exitCode, 0u);
    for (const auto& v : {std::make_pair(L"Settings", L"00006112"), std::make_pair(L"UserSettings", L"00006128")})
        EXPECT_TRUE(Value(v.first, v.second).empty());
    EXPECT_TRUE(Value(nullptr, L"RpcSettings").empty());
}

TEST_F(QlsimSettings, RefusalsChangeNothing) {
    ASSERT_EQ(RunQlsim(L"settings set 24850 1 --binary").exitCode, 0u);
    const std::vector<uint8_t> before = Value(nullptr, L"RpcSettings");
    for (const wchar_t* arguments :
         {L"settings set A_DIAG_NoSuch 1", L"settings set 24850 one --binary", L"settings set 24850 12 --text --binary",
          L"settings set 24850 0x1Z --binary --hex", L"settings set 24850", L"settings store both",
          L"settings blob 123", L"diag behave size 28", L"diag behave wobble", L"diag delay 600001",
          L"diag timing report", L"diag notify --size 9"}) {
        QlsimRun run = RunQlsim(arguments);
        EXPECT_EQ(run.exitCode, 2u) << arguments << ": " << run.err;
    }
    EXPECT_EQ(Value(nullptr, L"RpcSettings"), before);
    ASSERT_EQ(RunQlsim(L"settings blob 0000000001000000").exitCode, 0u);
    QlsimRun damaged = RunQlsim(L"settings set 24850 1 --binary");
    EXPECT_EQ(damaged.exitCode, 2u) << "a damaged blob is not edited";
    EXPECT_EQ(Value(nullptr, L"RpcSettings"), (std::vector<uint8_t>{0, 0, 0, 0, 1, 0, 0, 0}));
}

// The service's gates are machine-wide number settings: the text's leading
// decimal number (as atol reads it) with the cookie, else the blob entry's
// little-endian bytes. "Not stored" leaves the gate off.
TEST_F(QlsimSettings, TheServiceReadsItsGatesFromTheStoreInUse) {
    struct Case {
        const char* name;
        void (*store)();
        bool stored;
        int32_t value;
    };
    constexpr uint32_t kGate = 24850;
    const Case kCases[] = {
        {"TextLeadingNumber", [] { SettingsStores::UseTextStore(), SettingsStores::SetText(kGate, L" \t7 tests"); },
         true, 7},
        {"TextSign", [] { SettingsStores::UseTextStore(), SettingsStores::SetText(kGate, L"-12"); }, true, -12},
        {"TextNoDigits", [] { SettingsStores::UseTextStore(), SettingsStores::SetText(kGate, L"on"); }, true, 0},
        {"TextBeyond32Bits", [] { SettingsStores::UseTextStore(), SettingsStores::SetText(kGate, L"99999999999"); },
         true, LONG_MAX},
        {"TextWithoutTerminator",
         [] { SettingsStores::UseTextStore(), SettingsStores::SetText(kGate, L"5", false, false); }, true, 5},
        {"TextUserLevelOnly", [] { SettingsStores::UseTextStore(), SettingsStores::SetText(kGate, L"1", true); },
         false, 0},
        {"TextIgnoresTheBlob",
         [] { SettingsStores::UseTextStore(), SettingsStores::SetBlob(Blob({Entry(kGate, qlsim::NumberData(1))})); },
         false, 0},
        {"BinaryLittleEndian",
         [] { SettingsStores::SetBlob(Blob({Entry(24872, {9}), Entry(kGate, qlsim::NumberData(0x12345678))})); },
         true, 0x12345678},
        {"BinaryHiddenEntryTakesNoRoom",
         [] { SettingsStores::SetBlob(Blob({Entry(24872, {}, -1), Entry(kGate, {}, -1), Entry(kGate, {3, 0})})); },
         true, 3},
        {"BinaryEightBytes", [] { SettingsStores::SetBlob(Blob({Entry(kGate, {1, 0, 0, 0, 0, 0, 0, 0})})); }, false, 0},
        {"BinaryDataBeyondTheBlob",
         [] { SettingsStores::SetBlob(Blob({qlsim::BlobEntry{kGate, 0, {1, 0, 0, 0}, 5}})); }, false, 0},
        {"BinaryIgnoresTheText", [] { SettingsStores::SetText(kGate, L"1"); }, false, 0},
        {"NoCurrentSubkey",
         [] {
             SettingsStores::SetBlob(Blob({Entry(kGate, qlsim::NumberData(1))}));
             SettingsStores::DeleteValue(SettingsStores::kStatePath, L"CurrentSubkey");
         },
         false, 0},
    };
    for (const Case& c : kCases) {
        ASSERT_TRUE(SettingsStores::Clear());
        ASSERT_TRUE(SettingsStores::UseBinaryStore());
        c.store();
        int32_t value = 0;
        EXPECT_EQ(qlsim::ReadMachineNumber(kGate, value), c.stored) << c.name;
        EXPECT_EQ(value, c.value) << c.name;
    }
    ASSERT_TRUE(SettingsStores::Clear());
}

TEST_F(QlsimSettings, DiagShowsTheLogAndSetsTheBehaviour) {
    ASSERT_EQ(RunQlsim(L"diag behave raw \"{\\\"status\\\":\\\"success\\\"}\"").exitCode, 0u);
    qlsim::DiagSimControl& control = service();
    std::string shown;
    ASSERT_TRUE(control.show(shown));
    EXPECT_NE(shown.find(R"("mode":"raw")"), std::string::npos) << shown;
    ASSERT_EQ(RunQlsim(L"diag behave normal").exitCode, 0u);
    ASSERT_EQ(RunQlsim(L"diag timing report 5 test 6 cooloff 7").exitCode, 0u);
    ASSERT_TRUE(control.show(shown));
    EXPECT_NE(shown.find(R"("timing":{"cooloff":7,"report":5,"test":6})"), std::string::npos) << shown;
    ASSERT_EQ(RunQlsim(L"diag set collection-state \"\\\"restart\\\"\"").exitCode, 0u);
    ASSERT_TRUE(control.show(shown));
    EXPECT_NE(shown.find(R"("collection-state":"restart")"), std::string::npos) << shown;

    // Requests the service logs, as qlsim prints them.
    HANDLE pipe = CreateFileW(L"\\\\.\\pipe\\b8ed9199cdb76e4488e84edcc97630df00da", GENERIC_READ | GENERIC_WRITE, 0,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(pipe, INVALID_HANDLE_VALUE);
    DWORD mode = PIPE_READMODE_MESSAGE, done = 0;
    ASSERT_TRUE(SetNamedPipeHandleState(pipe, &mode, nullptr, nullptr));
    const char request[] = "{\"type\":\"x\\\\\"}\x01\xFF";
    ASSERT_TRUE(WriteFile(pipe, request, sizeof request - 1, &done, nullptr));
    char reply[256];
    ASSERT_TRUE(ReadFile(pipe, reply, sizeof reply, &done, nullptr));
    CloseHandle(pipe);
    EXPECT_EQ(RunQlsim(L"diag log").out, "{\"type\":\"x\\x5C\\x5C\"}\\x01\\xFF\n");
    EXPECT_EQ(RunQlsim(L"diag log --hex --clear").out, "7B2274797065223A22785C5C227D01FF\n");
    EXPECT_EQ(RunQlsim(L"diag log").out, "");
    EXPECT_EQ(RunQlsim(L"diag subscribers").out, "0\n");
    EXPECT_EQ(RunQlsim(L"diag connections").out, "1\n");
}

}  // namespace
}  // namespace qltest
