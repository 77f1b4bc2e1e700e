// Where a language module may lie, as text: its file name, the path beside
// the library and under the install location, and the language cut at its
// dash. Paths that would not fit are not built, and nothing is written past
// a buffer.
#include <gtest/gtest.h>

#include <string>

#include "status/module_path.h"

namespace {

using namespace qlclapi;

// A buffer and the units behind it, which must stay untouched.
template <typename Buffer>
struct Guarded {
    Buffer text = {};
    char16_t guard[4] = {u'#', u'#', u'#', u'#'};
    bool intact() const { return guard[0] == u'#' && guard[3] == u'#'; }
};

std::u16string Of(const char16_t* text) { return text; }

TEST(ModulePath, FileNameIsTheLibrarysWithResourcesDll) {
    const std::pair<std::u16string, std::u16string> names[] = {
        {u"C:\\x\\qlclapi.dll", u"qlclapi.resources.dll"},
        {u"C:\\a.b\\lib.x.dll", u"lib.x.resources.dll"},
        {u"C:\\x\\qlclapi", u"qlclapi.resources.dll"},
        {u"qlclapi.dll", u"qlclapi.resources.dll"},
        {u"C:\\x\\" + std::u16string(113, u'n') + u".dll", std::u16string(113, u'n') + u".resources.dll"},
    };
    for (const auto& [path, expected] : names) {
        // Text ahead of the path must not be taken for part of it.
        const std::u16string held = u"\\\\ahead\\" + path;
        Guarded<ModuleFileName> name;
        EXPECT_TRUE(LanguageModuleFileName(held.c_str() + 8, name.text)) << testing::PrintToString(path);
        EXPECT_EQ(Of(name.text), expected);
    }
    for (size_t stem : {114, 127, 128, 200}) {
        Guarded<ModuleFileName> name;
        EXPECT_FALSE(LanguageModuleFileName((u"C:\\" + std::u16string(stem, u'n') + u".dll").c_str(), name.text));
        EXPECT_TRUE(name.intact()) << stem;
    }
}

TEST(ModulePath, BesideTheLibraryInTheLanguagesFolder) {
    ModulePath path;
    EXPECT_TRUE(PathBesideLibrary(u"C:\\x\\qlclapi.dll", u"de-CH", u"q.resources.dll", path));
    EXPECT_EQ(Of(path), u"C:\\x\\de-CH\\q.resources.dll");
    EXPECT_TRUE(PathBesideLibrary(u"C:\\x\\qlclapi.dll", u"", u"q.resources.dll", path));
    EXPECT_EQ(Of(path), u"C:\\x\\q.resources.dll");
    // The folder alone fills the path: not built, nothing written behind it.
    for (size_t folder : {258, 259, 260, 300}) {
        Guarded<ModulePath> filled;
        const std::u16string own = std::u16string(folder - 1, u'f') + u"\\l.dll";
        EXPECT_EQ(PathBesideLibrary(own.c_str(), u"", u"m", filled.text), folder < 259) << folder;
        EXPECT_TRUE(filled.intact()) << folder;
    }
}

TEST(ModulePath, UnderTheInstallLocationWithOneBackslash) {
    const std::pair<std::u16string, std::u16string> locations[] = {
        {u"C:\\inst", u"C:\\inst\\de\\m.dll"},
        {u"C:\\inst\\", u"C:\\inst\\de\\m.dll"},
        {u"C:\\i\\\\", u"C:\\i\\\\de\\m.dll"},
        {u"x", u"x\\de\\m.dll"},
    };
    for (const auto& [location, expected] : locations) {
        ModulePath path = {};
        location.copy(path, location.size());
        EXPECT_TRUE(PathUnderLocation(path, u"de", u"m.dll"));
        EXPECT_EQ(Of(path), expected);
    }
    ModulePath empty = {};
    EXPECT_FALSE(PathUnderLocation(empty, u"de", u"m.dll"));
    // 250 units of location leave room for "\\de\\m.dll" and a terminator.
    for (size_t units : {250, 251, 258, 259}) {
        ModulePath location = {};
        std::u16string(units, u'L').copy(location, units);
        EXPECT_EQ(PathUnderLocation(location, u"de", u"m.dll"), units == 250) << units;
    }
}

TEST(ModulePath, LanguageIsCutAtItsFirstDash) {
    const std::pair<std::u16string, std::u16string> languages[] = {
        {u"de-CH", u"de"}, {u"zh-Hant-TW", u"zh"}, {u"-x", u""}, {u"de", u"de"}, {u"", u""}};
    for (const auto& [language, cut] : languages) {
        LanguageName name = {};
        language.copy(name, language.size());
        EXPECT_EQ(CutAtFirstDash(name), language != cut) << testing::PrintToString(language);
        EXPECT_EQ(Of(name), cut);
    }
    // A name without a terminator is read to its 85th unit and no further.
    Guarded<LanguageName> unterminated;
    std::u16string(kLanguageNameUnits, u'q').copy(unterminated.text, kLanguageNameUnits);
    unterminated.guard[0] = u'-';
    EXPECT_FALSE(CutAtFirstDash(unterminated.text));
    EXPECT_EQ(unterminated.guard[0], u'-');
}

}  // namespace
