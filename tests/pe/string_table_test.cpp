// The string tables the builds carry, read back out of the images and held
// against the string source they were made from: the library's own in
// English (United States), the pseudo-locale module's in qps-ploc.
#include <gtest/gtest.h>

#include "resources/strings/string_source.h"
#include "string_table.h"
#include "tools/qlstrings/pseudo_locale.h"

namespace {

struct Build {
    const char* name;
    std::string dir;
};

const Build kBuilds[] = {{"x86", QLCLAPI_WIN32_DIR}, {"x64", QLCLAPI_WIN64_DIR}};

std::map<uint16_t, std::u16string> TextsOf(const std::vector<qlstrings::StringEntry>& entries) {
    std::map<uint16_t, std::u16string> texts;
    for (const auto& entry : entries)
        if (!entry.text.empty()) texts[entry.id] = entry.text;
    return texts;
}

std::vector<qlstrings::StringEntry> EnglishSource() {
    qlstrings::StringSource source = qlstrings::ReadStringSourceFile(QLCLAPI_STRING_SOURCE);
    EXPECT_EQ(source.error, "");
    return source.entries;
}

void ExpectTable(const std::string& path, const std::map<uint16_t, std::u16string>& want, uint32_t language) {
    pecheck::PeImage image(path);
    ASSERT_EQ(image.error(), "") << path;
    pecheck::StringTable table = pecheck::ReadStringTable(image);
    ASSERT_EQ(table.error, "") << path;
    ASSERT_EQ(table.blocksByLanguage.size(), 1u) << path << ": one language only";
    EXPECT_EQ(table.blocksByLanguage.begin()->first, language) << path;
    for (const auto& [id, text] : want) {
        auto found = table.texts.find(id);
        if (found == table.texts.end()) {
            ADD_FAILURE() << path << " lacks text " << id;
            continue;
        }
        EXPECT_EQ(qlstrings::ToUtf8(found->second), qlstrings::ToUtf8(text)) << path << " text " << id;
    }
    for (const auto& [id, text] : table.texts)
        EXPECT_TRUE(want.count(id)) << path << " has a text the source lacks: " << id;
}

class BuiltStrings : public testing::TestWithParam<Build> {};

TEST_P(BuiltStrings, LibraryCarriesTheEnglishSource) {
    ExpectTable(GetParam().dir + "/qlclapi.dll", TextsOf(EnglishSource()), 0x0409);
}

TEST_P(BuiltStrings, PseudoLocaleModuleCarriesTheSourceBracketed) {
    ExpectTable(GetParam().dir + "/qps-ploc/qlclapi.resources.dll",
                TextsOf(qlstrings::PseudoLocalize(EnglishSource(), 40)), 0x0501);
}

INSTANTIATE_TEST_SUITE_P(Images, BuiltStrings, testing::ValuesIn(kBuilds),
                         [](const testing::TestParamInfo<Build>& info) { return info.param.name; });

}  // namespace
