// The string source and what the build makes of it: the English table holds
// exactly the library's ids, the reader refuses what it cannot represent,
// the pseudo-locale keeps formats intact, and resource literals escape what
// windres or its preprocessor would change.
#include <gtest/gtest.h>

#include <set>

#include "resources/strings/string_source.h"
#include "tools/qlstrings/pseudo_locale.h"
#include "tools/qlstrings/rc_writer.h"

namespace {

using qlstrings::ParseStringSource;
using qlstrings::ToUtf8;

std::set<uint32_t> Range(uint32_t first, uint32_t last, std::set<uint32_t> without = {}) {
    std::set<uint32_t> ids;
    for (uint32_t id = first; id <= last; ++id)
        if (!without.count(id)) ids.insert(id);
    return ids;
}

TEST(EnglishSource, HoldsExactlyTheLibrarysIds) {
    qlstrings::StringSource source = qlstrings::ReadStringSourceFile(QLCLAPI_STRING_SOURCE);
    ASSERT_EQ(source.error, "");
    std::set<uint32_t> want = Range(5001, 5017, {5006, 5009, 5010, 5011, 5013});
    for (const auto& range : {Range(34000, 34156, {34047, 34048, 34057, 34074, 34077}), Range(34400, 34409),
                              std::set<uint32_t>{34500, 34502, 34507}, Range(34600, 34619, {34608})})
        want.insert(range.begin(), range.end());
    std::set<uint32_t> have;
    for (const auto& entry : source.entries) {
        have.insert(entry.id);
        EXPECT_FALSE(entry.text.empty()) << entry.id;
    }
    EXPECT_EQ(have, want);
}

TEST(StringSourceReading, TakesEscapesAndUtf8) {
    qlstrings::StringSource source = ParseStringSource(
        "# comment\n\n  7 \"a \\\"b\\\" \\\\ \\t\\r\\n\"\r\n8\t\"caf\xC3\xA9 \xF0\x9F\x98\x80 %s 100%%\"   \n9 \"\"");
    ASSERT_EQ(source.error, "");
    ASSERT_EQ(source.entries.size(), 3u);
    EXPECT_EQ(source.entries[0].text, u"a \"b\" \\ \t\r\n");
    EXPECT_EQ(source.entries[1].text, u"caf\u00E9 \U0001F600 %s 100%%");
    EXPECT_EQ(source.entries[2].text, u"");
    // Written out and read again, every entry is what it was.
    EXPECT_EQ(ParseStringSource(qlstrings::FormatStringSource(source.entries, "# again\n")).entries.size(), 3u);
    EXPECT_EQ(ParseStringSource(qlstrings::FormatStringSource(source.entries, "")).entries[1].text,
              source.entries[1].text);
}

TEST(StringSourceReading, RefusesWhatItCannotRepresent) {
    const std::pair<const char*, const char*> faults[] = {
        {"0 \"x\"", "line 1: an id from 1 to 65535 must begin the line"},
        {"65536 \"x\"", "line 1: an id from 1 to 65535 must begin the line"},
        {"\n5\"x\"", "line 2: a space must follow the id"},
        {"5 x", "line 1: the text must be in double quotes"},
        {"5 \"x", "line 1: the text has no closing quote"},
        {"5 \"x\\\"", "line 1: the text has no closing quote"},
        {"5 \"x\" y", "line 1: something after the closing quote"},
        {"5 \"\\q\"", "line 1: unknown escape \\q"},
        {"5 \"a\tb\"", "line 1: a control character in the text (write \\n, \\r or \\t)"},
        {"5 \"\xC3\"", "line 1: not UTF-8 text"},
        {"5 \"\xC0\xAF\"", "line 1: not UTF-8 text"},
        {"5 \"\xED\xA0\x80\"", "line 1: not UTF-8 text"},
        {"5 \"a\"\n5 \"b\"", "line 2: id 5 appears twice"},
    };
    for (const auto& [text, error] : faults) EXPECT_EQ(ParseStringSource(text).error, error) << text;
}

TEST(PseudoLocale, BracketsAccentsAndLengthens) {
    const std::pair<std::u16string, std::u16string> texts[] = {
        {u"Vorantis is idle.", u"[V\u00F6r\u00E5\u00F1t\u00EEs \u00EEs \u00EE\u00F0l\u00E9. !!!!]"},
        {u"Connected as %s", u"[\u00C7\u00F6\u00F1\u00F1\u00E9\u00E7t\u00E9\u00F0 \u00E5s %s !!!]"},
        {u"Fatal", u"[F\u00E5t\u00E5l]"},
        {u"100%% done", u"[100%% \u00F0\u00F6\u00F1\u00E9 !]"},
    };
    for (const auto& [english, pseudo] : texts) EXPECT_EQ(ToUtf8(qlstrings::PseudoText(english, 40)), ToUtf8(pseudo));
    const std::u16string longer = qlstrings::PseudoText(std::u16string(100, u'x'), 40);
    EXPECT_EQ(longer.size(), 140u);
    for (char16_t unit : qlstrings::PseudoText(u"AaCcDdEeIiNnOoUuYy", 0)) EXPECT_LT(unit, 0x100) << "not Latin-1";
}

TEST(ResourceScript, EscapesForWindresAndItsPreprocessor) {
    EXPECT_EQ(qlstrings::ResourceStringLiteral(u"say \"hi\" \\ 50% ?\?= \u00E9\u4E2D\r\n"),
              "L\"say \"\"hi\"\" \\\\ 50% \\x003F\\x003F= \\x00E9\\x4E2D\\x000D\\x000A\"");
    const std::string script = qlstrings::ResourceScript({{5004, u"Connected"}, {5009, u""}}, 0x0409, "en-US.txt");
    EXPECT_NE(script.find("LANGUAGE 0x09, 0x01\nSTRINGTABLE\nBEGIN\n    5004, L\"Connected\"\nEND\n"), std::string::npos);
    EXPECT_EQ(script.find("5009"), std::string::npos) << "an empty text is no entry";
    EXPECT_EQ(qlstrings::ResourceScript({}, 0x0501, "x").find("STRINGTABLE"), std::string::npos);
}

}  // namespace
