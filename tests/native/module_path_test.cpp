// Where the library looks for a language module, as text: never a path
// longer than 259 characters, never one cut into another path.
#include <gtest/gtest.h>

#include "resources/strings/string_source.h"
#include "status/module_path.h"

namespace {

using namespace qlclapi;

template <size_t N>
std::string Text(const char16_t (&units)[N]) {
    return qlstrings::ToUtf8(std::u16string(units));
}

TEST(LanguageModulePath, FileNameTakesTheLibrarysName) {
    const std::pair<std::u16string, const char*> names[] = {
        {u"C:\\Program Files\\Quorlan\\qlclapi.dll", "qlclapi.resources.dll"},
        {u"C:\\a.b\\QLCLAPI.DLL", "QLCLAPI.resources.dll"},
        {u"C:\\a.b\\qlclapi", "qlclapi.resources.dll"},
        {u"qlclapi.x.dll", "qlclapi.x.resources.dll"},
        {u"C:\\x\\" + std::u16string(114, u'n') + u".dll", nullptr},
        {u"C:\\x\\" + std::u16string(113, u'n') + u".dll", ""},
    };
    for (const auto& [path, want] : names) {
        ModuleFileName name;
        const bool built = LanguageModuleFileName(path.c_str(), name);
        EXPECT_EQ(built, want != nullptr) << qlstrings::ToUtf8(path);
        if (built && *want) EXPECT_EQ(Text(name), want);
        if (built && !*want) EXPECT_EQ(Text(name).size(), 127u);
    }
}

TEST(LanguageModulePath, BesideTheLibraryAndUnderTheLocation) {
    const char16_t* file = u"qlclapi.resources.dll";
    ModulePath path;
    ASSERT_TRUE(PathBesideLibrary(u"C:\\q\\qlclapi.dll", u"de-CH", file, path));
    EXPECT_EQ(Text(path), "C:\\q\\de-CH\\qlclapi.resources.dll");
    ASSERT_TRUE(PathBesideLibrary(u"C:\\q\\qlclapi.dll", u"", file, path));
    EXPECT_EQ(Text(path), "C:\\q\\qlclapi.resources.dll");

    const std::pair<std::u16string, const char*> locations[] = {
        {u"D:\\Quorlan", "D:\\Quorlan\\de\\qlclapi.resources.dll"},
        {u"D:\\Quorlan\\", "D:\\Quorlan\\de\\qlclapi.resources.dll"},
        {u"", nullptr},
        // 259 units with the name: the largest path there is.
        {u"D:\\" + std::u16string(259 - 3 - 1 - 3 - 21, u'p'), ""},
        {u"D:\\" + std::u16string(259 - 3 - 1 - 3 - 21 + 1, u'p'), nullptr},
    };
    for (const auto& [location, want] : locations) {
        ModulePath at = {};
        std::copy(location.begin(), location.end(), at);
        const bool built = PathUnderLocation(at, u"de", file);
        EXPECT_EQ(built, want != nullptr) << qlstrings::ToUtf8(location);
        if (built && *want) EXPECT_EQ(Text(at), want);
        if (built && !*want) EXPECT_EQ(Text(at).size(), 259u);
    }
    const std::u16string deep = u"C:\\" + std::u16string(240, u'f') + u"\\qlclapi.dll";
    EXPECT_FALSE(PathBesideLibrary(deep.c_str(), u"", file, path));
}

TEST(LanguageModulePath, SecondTryCutsAtTheFirstDash) {
    const std::pair<std::u16string, const char*> names[] = {
        {u"de-CH", "de"}, {u"sr-Latn-RS", "sr"}, {u"-x", ""}, {u"de", nullptr}, {u"", nullptr}};
    for (const auto& [before, after] : names) {
        LanguageName language = {};
        std::copy(before.begin(), before.end(), language);
        EXPECT_EQ(CutAtFirstDash(language), after != nullptr);
        EXPECT_EQ(Text(language), after ? after : qlstrings::ToUtf8(before));
    }
}

}  // namespace
