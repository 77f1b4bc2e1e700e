// text(id) over a string table that may lie: ids beyond the 16-bit table,
// counts beyond the buffer, zero units inside the text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "status/string_table.h"

namespace {

using qlclapi::LoadText;

// Writes `text` (as much as the buffer holds) and claims `claimed` units.
class LyingTable final : public qlclapi::StringTable {
public:
    LyingTable(std::u16string text, size_t claimed) : text_(std::move(text)), claimed_(claimed) {}
    size_t load(uint16_t id, char16_t* buffer, size_t capacity) const override {
        asked.push_back(id);
        for (size_t i = 0; i < text_.size() && i < capacity; ++i) buffer[i] = text_[i];
        return claimed_;
    }
    mutable std::vector<uint16_t> asked;

private:
    std::u16string text_;
    size_t claimed_;
};

struct LoadCase {
    const char* name;
    uint64_t id;
    std::u16string text;
    size_t claimed;
    std::u16string loaded;  // what LoadText gives with a capacity of 4
};

const LoadCase kLoads[] = {
    {"Honest", 5004, u"abc", 3, u"abc"},
    {"ClaimsTheWholeBuffer", 5004, u"abcd", 4, u"abc"},
    {"ClaimsFarMore", 5004, u"abcd", 1000, u"abc"},
    {"ClaimsLess", 5004, u"abcd", 2, u"ab"},
    {"ZeroUnitEndsTheText", 5004, {u"a\0c", 3}, 3, u"a"},
    {"HighestId", 0xFFFF, u"xyz", 3, u"xyz"},
    {"IdZeroHasNoText", 0, u"xyz", 3, u""},
    {"IdBeyondSixteenBitsHasNoText", 0x10000, u"xyz", 3, u""},
    {"ReasonBeyondEveryTable", 34000 + 0xFFFFFFFFull, u"xyz", 3, u""},
};

TEST(StringTable, LoadTextKeepsToTheBufferAndTheFirstZero) {
    for (const LoadCase& c : kLoads) {
        LyingTable table(c.text, c.claimed);
        char16_t buffer[6] = {u'#', u'#', u'#', u'#', u'#', u'#'};
        const size_t units = LoadText(table, c.id, buffer, 4);
        EXPECT_EQ(std::u16string(buffer, units), c.loaded) << c.name;
        EXPECT_EQ(buffer[units], 0) << c.name;
        EXPECT_EQ(buffer[4], u'#') << c.name << ": written past the capacity";
        const bool asked = !c.loaded.empty();
        EXPECT_EQ(table.asked, asked ? std::vector<uint16_t>{uint16_t(c.id)} : std::vector<uint16_t>{}) << c.name;
    }
}

}  // namespace
