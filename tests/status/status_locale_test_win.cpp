// Run in a process whose locale is de-CH (ctest's win64.status.locale sets
// LC_ALL, from which Wine takes the user's and the system's locale): with no
// language configured, the user's locale names the module's folder, whole
// or cut at its "-". Elsewhere these tests skip.
#include <gtest/gtest.h>

#include "qlclapi.h"
#include "support/language_setup.h"
#include "support/simulated_client.h"

namespace qltest {
namespace {

const std::wstring kPseudoIdle = L"[V\u00F6r\u00E5\u00F1t\u00EEs \u00EEs \u00EE\u00F0l\u00E9. !!!!]";

struct LocaleCase {
    const char* name;
    const wchar_t* configured;  // Language, or null
    const wchar_t* folder;      // where the module lies beside the library, or null
    bool pseudo;
};

const LocaleCase kCases[] = {
    {"WholeLocaleName", nullptr, L"de-CH", true},
    {"LocaleCutAtTheDash", nullptr, L"de", true},
    {"OtherLanguageFolderOnly", nullptr, L"fr", false},
    {"ConfiguredLanguageWins", L"fr-FR", L"de", false},
};

class StatusLocale : public SimulatedClientTest, public testing::WithParamInterface<LocaleCase> {
protected:
    void SetUp() override {
        wchar_t locale[LOCALE_NAME_MAX_LENGTH] = L"";
        GetUserDefaultLocaleName(locale, LOCALE_NAME_MAX_LENGTH);
        if (std::wstring(locale) != L"de-CH") GTEST_SKIP() << "needs a process with the locale de-CH";
        SimulatedClientTest::SetUp();
        ClearLanguageSettings();
    }
    void TearDown() override { ClearLanguageSettings(); }
};

TEST_P(StatusLocale, NamesTheModulesFolder) {
    const LocaleCase& c = GetParam();
    ScratchInstall install;
    if (c.configured) SetLanguage(c.configured);
    ASSERT_TRUE(install.copy(BuiltModule(L"qps-ploc"), L"lib\\" + std::wstring(c.folder) + L"\\qlclapi.resources.dll"));
    HMODULE library = LoadLibraryW(install.library().c_str());
    ASSERT_NE(library, nullptr);
    auto getText = reinterpret_cast<PFN_QuorlanGetConnectionStateString>(
        reinterpret_cast<void*>(GetProcAddress(library, "QuorlanGetConnectionStateString")));
    ASSERT_NE(getText, nullptr);
    wchar_t text[1024] = L"";
    QlUInt32 length = sizeof text;
    EXPECT_EQ(getText(text, &length), 1u);
    EXPECT_EQ(std::wstring(text), c.pseudo ? kPseudoIdle : L"Vorantis is idle.");
    FreeLibrary(library);
}

INSTANTIATE_TEST_SUITE_P(DeCh, StatusLocale, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<LocaleCase>& info) { return info.param.name; });

}  // namespace
}  // namespace qltest
