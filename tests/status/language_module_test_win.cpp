// The language of the status text, chosen by the real Wine loader, registry
// and file system: a copy of qlclapi.dll in a scratch folder, with language
// modules (and things that only look like modules) where it searches.
#include <gtest/gtest.h>

#include "qlclapi.h"
#include "support/language_setup.h"
#include "support/simulated_client.h"

namespace qltest {
namespace {

const std::wstring kEnglishIdle = L"Vorantis is idle.";
const std::wstring kPseudoIdle = L"[V\u00F6r\u00E5\u00F1t\u00EEs \u00EEs \u00EE\u00F0l\u00E9. !!!!]";
const std::wstring kModule = L"qlclapi.resources.dll";

std::wstring UserLocale() {
    wchar_t name[LOCALE_NAME_MAX_LENGTH] = L"";
    GetUserDefaultLocaleName(name, LOCALE_NAME_MAX_LENGTH);
    return name;
}

class LanguageSelection : public SimulatedClientTest {
protected:
    void SetUp() override {
        SimulatedClientTest::SetUp();
        ClearLanguageSettings();
    }
    void TearDown() override { ClearLanguageSettings(); }

    // The status text of the scratch copy, loaded for this one call.
    std::wstring statusText(QlUInt32* result = nullptr) {
        HMODULE library = LoadLibraryW(install.library().c_str());
        EXPECT_NE(library, nullptr);
        if (!library) return L"(not loaded)";
        auto getText = reinterpret_cast<PFN_QuorlanGetConnectionStateString>(
            reinterpret_cast<void*>(GetProcAddress(library, "QuorlanGetConnectionStateString")));
        std::wstring text(1024, L'\0');
        QlUInt32 length = 2048;
        const QlUInt32 copied = getText(&text[0], &length);
        if (result) *result = copied;
        EXPECT_EQ(copied, 1u);
        FreeLibrary(library);
        return text.c_str();
    }

    ScratchInstall install;
};

void CopyModule(ScratchInstall& at, const wchar_t* module, const std::wstring& folder) {
    ASSERT_TRUE(at.copy(BuiltModule(module), folder + L"\\" + kModule)) << "the test modules must be built";
}

// Registry values and files, relative to the scratch root (the library is
// lib\qlclapi.dll); "*" in a folder stands for the user's locale name, "*-"
// for that name cut at its "-".
struct Placement {
    const char* name;
    const wchar_t* language;  // null: no Language value
    const wchar_t* location32;
    const wchar_t* location64;
    std::vector<std::pair<const wchar_t*, std::wstring>> modules;  // module, folder
    bool pseudo;              // the module's text, else the library's own
    void (*more)(ScratchInstall&) = nullptr;
    bool bothViews = false;   // gives the two registry views different values
};

const std::wstring kLanguage85(85, L'q');

const Placement kPlacements[] = {
    {"SecondTryCutsAtTheDash", L"xx-QL-extra", nullptr, nullptr, {{L"qps-ploc", L"lib\\xx"}}, true},
    {"WholeNameBeforeTheCut", L"xx-QL", nullptr, nullptr, {{L"qps-ploc", L"lib\\xx-QL"}, {L"long", L"lib\\xx"}}, true},
    {"NoLanguageTheUserLocaleDecides", nullptr, nullptr, nullptr, {{L"qps-ploc", L"lib\\*"}}, true},
    {"NoLanguageTheUserLocaleCutAtTheDash", nullptr, nullptr, nullptr, {{L"qps-ploc", L"lib\\*-"}}, true},
    {"EmptyLanguageIsNoLanguage", L"", nullptr, nullptr, {{L"qps-ploc", L"lib\\*"}}, true},
    {"LanguageLongerThan170BytesIsAbsent", kLanguage85.c_str(), nullptr, nullptr, {{L"qps-ploc", L"lib\\*"}}, true},
    {"Language170BytesWithoutTerminatorIsCut", nullptr, nullptr, nullptr,
     {{L"qps-ploc", L"lib\\" + kLanguage85.substr(0, 84)}}, true,
     // The registry adds a terminator a caller "forgot" when the unit after
     // the value is zero: here it is not.
     [](ScratchInstall&) { SetLanguageBytes((kLanguage85 + L'q').data(), 170); }},
    {"UnderTheLocationWithItsBackslashInThe64BitView", L"xx-QL", nullptr, L"install\\",
     {{L"qps-ploc", L"install\\xx"}}, true},
    {"The32BitViewFirst", L"xx-QL", L"install32", L"install64",
     {{L"qps-ploc", L"install32\\xx-QL"}, {L"long", L"install64\\xx-QL"}}, true, nullptr, true},
    {"BesideTheLibraryFirst", L"xx-QL", L"install", nullptr,
     {{L"qps-ploc", L"lib\\xx-QL"}, {L"long", L"install\\xx-QL"}}, true},
    {"AFolderNamedLikeTheModuleIsNoModule", L"xx-QL", L"install", nullptr, {{L"qps-ploc", L"install\\xx-QL"}}, true,
     [](ScratchInstall& at) { ASSERT_TRUE(at.makeFolder(L"lib\\xx-QL\\" + kModule)); }},
    {"LocationOf260UnitsWithoutTerminator", L"xx-QL", nullptr, L"install", {{L"qps-ploc", L"install\\xx-QL"}}, false,
     [](ScratchInstall& at) {
         const std::wstring location = at.root() + std::wstring(261 - at.root().size(), L'L');
         SetInstallLocationBytes(KEY_WOW64_32KEY, location.data(), 520);
     },
     true},
    {"NoModuleAnywhere", L"xx-QL", nullptr, nullptr, {}, false},
    {"NotADll", L"xx-QL", nullptr, nullptr, {}, false,
     [](ScratchInstall& at) { ASSERT_TRUE(at.write(L"lib\\xx-QL\\" + kModule, "MZ but nothing a loader could use")); }},
    {"AnotherProductVersion", L"xx-QL", nullptr, nullptr, {{L"other-version", L"lib\\xx-QL"}}, false},
    {"NoVersionBlock", L"xx-QL", nullptr, nullptr, {{L"no-version", L"lib\\xx-QL"}}, false},
};

class LanguageModuleIn : public LanguageSelection, public testing::WithParamInterface<Placement> {};

TEST_P(LanguageModuleIn, Placement) {
    const Placement& p = GetParam();
    BOOL wow64 = FALSE;
    if (p.bothViews && sizeof(void*) == 4 && (!IsWow64Process(GetCurrentProcess(), &wow64) || !wow64))
        GTEST_SKIP() << "a 32-bit system has a single registry view";
    if (p.language) SetLanguage(p.language);
    if (p.location32) SetInstallLocation(KEY_WOW64_32KEY, install.root() + p.location32);
    if (p.location64) SetInstallLocation(KEY_WOW64_64KEY, install.root() + p.location64);
    for (const auto& [module, folder] : p.modules) {
        std::wstring at = folder;
        const std::wstring locale = UserLocale();
        if (at.back() == L'-') at.replace(at.size() - 2, 2, locale.substr(0, locale.find(L'-')));  // "*-"
        if (at.back() == L'*') at.replace(at.size() - 1, 1, locale);
        CopyModule(install, module, at);
    }
    if (p.more) p.more(install);
    if (HasFatalFailure()) return;
    EXPECT_EQ(statusText(), p.pseudo ? kPseudoIdle : kEnglishIdle);
    // Whatever the call loaded it freed: every file can go at once.
    EXPECT_TRUE(install.removeAll());
}

INSTANTIATE_TEST_SUITE_P(Scratch, LanguageModuleIn, testing::ValuesIn(kPlacements),
                         [](const testing::TestParamInfo<Placement>& info) { return info.param.name; });

// A module of the right version without a string table: its texts are
// empty, not the library's.
TEST_F(LanguageSelection, AModuleWithoutTextsGivesEmptyParts) {
    SetLanguage(L"xx-QL");
    CopyModule(install, L"no-strings", L"lib\\xx-QL");
    changeSim([](QlSimState& s) {
        s.connectionState = 5;
        s.trafficBypassed = 1;
    });
    QlUInt32 result = 0;
    EXPECT_EQ(statusText(&result), L"\r\n\r\n");
    EXPECT_EQ(result, 1u);
}

}  // namespace
}  // namespace qltest
