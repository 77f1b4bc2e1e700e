// The language of the status text, chosen by the real Wine loader, registry
// and file system: a copy of qlclapi.dll in a scratch folder, with language
// modules (and things that only look like modules) where it searches.
#include <gtest/gtest.h>

#include "qlclapi.h"
#include "sim_records.h"
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

struct Placement {
    const char* name;
    // Sets up registry values and files (relative to the scratch root; the
    // library is lib\qlclapi.dll).
    void (*arrange)(ScratchInstall&);
    const std::wstring* text;
};

void CopyModule(ScratchInstall& at, const wchar_t* module, const std::wstring& folder) {
    ASSERT_TRUE(at.copy(BuiltModule(module), folder + L"\\" + kModule)) << "the test modules must be built";
}

const Placement kPlacements[] = {
    {"ConfiguredLanguageBesideTheLibrary", [](ScratchInstall& at) {
         SetLanguage(L"xx-QL");
         CopyModule(at, L"qps-ploc", L"lib\\xx-QL");
     },
     &kPseudoIdle},
    {"SecondTryCutsAtTheDash", [](ScratchInstall& at) {
         SetLanguage(L"xx-QL-extra");
         CopyModule(at, L"qps-ploc", L"lib\\xx");
     },
     &kPseudoIdle},
    {"WholeNameBeforeTheCut", [](ScratchInstall& at) {
         SetLanguage(L"xx-QL");
         CopyModule(at, L"qps-ploc", L"lib\\xx-QL");
         CopyModule(at, L"long", L"lib\\xx");
     },
     &kPseudoIdle},
    {"NoLanguageTheUserLocaleDecides", [](ScratchInstall& at) { CopyModule(at, L"qps-ploc", L"lib\\" + UserLocale()); },
     &kPseudoIdle},
    {"EmptyLanguageIsNoLanguage", [](ScratchInstall& at) {
         SetLanguage(L"");
         CopyModule(at, L"qps-ploc", L"lib\\" + UserLocale());
     },
     &kPseudoIdle},
    {"UnderTheInstallLocation", [](ScratchInstall& at) {
         SetLanguage(L"xx-QL");
         SetInstallLocation(KEY_WOW64_32KEY, at.root() + L"install");
         CopyModule(at, L"qps-ploc", L"install\\xx-QL");
     },
     &kPseudoIdle},
    {"UnderTheLocationWithItsBackslashInThe64BitView", [](ScratchInstall& at) {
         SetLanguage(L"xx-QL");
         SetInstallLocation(KEY_WOW64_64KEY, at.root() + L"install\\");
         CopyModule(at, L"qps-ploc", L"install\\xx");
     },
     &kPseudoIdle},
    {"The32BitViewFirst", [](ScratchInstall& at) {
         SetLanguage(L"xx-QL");
         SetInstallLocation(KEY_WOW64_32KEY, at.root() + L"install32");
         SetInstallLocation(KEY_WOW64_64KEY, at.root() + L"install64");
         CopyModule(at, L"qps-ploc", L"install32\\xx-QL");
         CopyModule(at, L"long", L"install64\\xx-QL");
     },
     &kPseudoIdle},
    {"BesideTheLibraryFirst", [](ScratchInstall& at) {
         SetLanguage(L"xx-QL");
         SetInstallLocation(KEY_WOW64_32KEY, at.root() + L"install");
         CopyModule(at, L"qps-ploc", L"lib\\xx-QL");
         CopyModule(at, L"long", L"install\\xx-QL");
     },
     &kPseudoIdle},
    {"AFolderNamedLikeTheModuleIsNoModule", [](ScratchInstall& at) {
         SetLanguage(L"xx-QL");
         ASSERT_TRUE(at.makeFolder(L"lib\\xx-QL\\" + kModule));
         SetInstallLocation(KEY_WOW64_32KEY, at.root() + L"install");
         CopyModule(at, L"qps-ploc", L"install\\xx-QL");
     },
     &kPseudoIdle},
    {"Language170BytesWithoutTerminatorIsCut", [](ScratchInstall& at) {
         // The registry adds a terminator a caller "forgot" when the unit
         // after the value is zero: here it is not.
         const std::wstring language(86, L'q');
         SetLanguageBytes(language.data(), 170);
         CopyModule(at, L"qps-ploc", L"lib\\" + language.substr(0, 84));
     },
     &kPseudoIdle},
    {"LanguageLongerThan170BytesIsAbsent", [](ScratchInstall& at) {
         SetLanguage(std::wstring(85, L'q'));
         CopyModule(at, L"qps-ploc", L"lib\\" + UserLocale());
     },
     &kPseudoIdle},
    {"NoModuleAnywhere", [](ScratchInstall&) { SetLanguage(L"xx-QL"); }, &kEnglishIdle},
    {"NotADll", [](ScratchInstall& at) {
         SetLanguage(L"xx-QL");
         ASSERT_TRUE(at.write(L"lib\\xx-QL\\" + kModule, "MZ but nothing a loader could use"));
     },
     &kEnglishIdle},
    {"AnotherProductVersion", [](ScratchInstall& at) {
         SetLanguage(L"xx-QL");
         CopyModule(at, L"other-version", L"lib\\xx-QL");
     },
     &kEnglishIdle},
    {"NoVersionBlock", [](ScratchInstall& at) {
         SetLanguage(L"xx-QL");
         CopyModule(at, L"no-version", L"lib\\xx-QL");
     },
     &kEnglishIdle},
    {"LocationOf260UnitsWithoutTerminator", [](ScratchInstall& at) {
         SetLanguage(L"xx-QL");
         const std::wstring location = at.root() + std::wstring(261 - at.root().size(), L'L');
         SetInstallLocationBytes(KEY_WOW64_32KEY, location.data(), 520);
         SetInstallLocation(KEY_WOW64_64KEY, at.root() + L"install");
         CopyModule(at, L"qps-ploc", L"install\\xx-QL");
     },
     &kEnglishIdle},
    {"LocationTooLongForTheModulesPath", [](ScratchInstall& at) {
         SetLanguage(L"xx-QL");
         SetInstallLocation(KEY_WOW64_32KEY, at.root() + std::wstring(259 - at.root().size(), L'L'));
     },
     &kEnglishIdle},
};

class LanguageModuleIn : public LanguageSelection, public testing::WithParamInterface<Placement> {};

TEST_P(LanguageModuleIn, Placement) {
    // These cases give the two registry views different locations; a 32-bit
    // system has one view, where the second write replaces the first.
    const std::string name = GetParam().name;
    BOOL wow64 = FALSE;
    if ((name == "The32BitViewFirst" || name == "LocationOf260UnitsWithoutTerminator") && sizeof(void*) == 4 &&
        (!IsWow64Process(GetCurrentProcess(), &wow64) || !wow64))
        GTEST_SKIP() << "a 32-bit system has a single registry view";
    GetParam().arrange(install);
    if (HasFatalFailure()) return;
    EXPECT_EQ(statusText(), *GetParam().text);
    // Whatever the call loaded it freed: every file can go at once.
    EXPECT_TRUE(install.removeAll());
}

INSTANTIATE_TEST_SUITE_P(Scratch, LanguageModuleIn, testing::ValuesIn(kPlacements),
                         [](const testing::TestParamInfo<Placement>& info) { return info.param.name; });

// What the checks above rely on: a module mapped for its resources keeps
// its file from being deleted until it is freed.
TEST_F(LanguageSelection, AMappedModuleKeepsItsFile) {
    CopyModule(install, L"qps-ploc", L"lib\\xx-QL");
    HMODULE mapped = LoadLibraryExW((install.root() + L"lib\\xx-QL\\" + kModule).c_str(), nullptr, 0x22);
    ASSERT_NE(mapped, nullptr);
    EXPECT_FALSE(install.removeAll());
    FreeLibrary(mapped);
    EXPECT_TRUE(install.removeAll());
}

// A module whose every text is longer than the limits: the text is the
// module's, cut where each limit says.
TEST_F(LanguageSelection, LongTextsAreCutAtTheLimits) {
    SetLanguage(L"xx-QL");
    CopyModule(install, L"long", L"lib\\xx-QL");
    changeSim([](QlSimState& s) {
        s.connectionState = 5;
        s.disconnectReason = 136;
    });
    std::wstring text = statusText();
    EXPECT_EQ(text.size(), 1023u);
    EXPECT_EQ(text.substr(0, 12), L"[V\u00F6r\u00E5\u00F1t\u00EEs \u00EEs");

    changeSim([](QlSimState& s) {
        s.connectionState = 1;
        s.trafficBypassed = 1;
    });
    text = statusText();
    ASSERT_NE(text.find(L"\r\n"), std::wstring::npos);
    EXPECT_EQ(text.size() - text.find(L"\r\n") - 2, 131u) << "the traffic line holds 131 units";

    changeSim([](QlSimState& s) {
        s.connectionState = 3;
        s.trafficBypassed = 0;
    });
    ASSERT_TRUE(sim().setRecord(QLSIM_RECORD_CONNECTION_DETAILS,
                                qlsim::ConnectionDetailsBytes({u"", u"PC-7", 0xFFFFFFFF, 0})));
    text = statusText();
    ASSERT_NE(text.find(L"\r\n"), std::wstring::npos);
    EXPECT_EQ(text.size() - text.find(L"\r\n") - 2, 127u) << "the device line holds 127 units";
}

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
