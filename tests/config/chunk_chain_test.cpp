// The chunked binary value: the pieces a write makes, and deletes, when a
// piece's write fails or its name has no room for a suffix; the pieces'
// names. Reading a chain back (gaps, empty pieces, what fits) is held by the
// config_lists fuzz target, whose corpus every unit run replays.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/chunk_chain.h"

namespace {

using namespace qlclapi;

TEST(ChunkChain, TheLastWriteStandsForTheChainAndLongNamesHoldOnePiece) {
    const std::vector<uint8_t> data(65537, 1);
    const std::u16string n62(62, u'n');  // no room for "__0"
    const struct {
        std::u16string name;
        uint32_t bytes;
        std::u16string failing;  // the piece whose write fails
        long result;
        std::vector<std::u16string> written, deleted;
    } cases[] = {{u"N", 65537, u"N", kRegistrySuccess, {u"N", u"N__0"}, {u"N__1"}},
                 {u"N", 65537, u"N__0", 5, {u"N", u"N__0"}, {u"N__1"}},
                 {n62, 100, u"", kRegistrySuccess, {n62}, {}},
                 {n62, 65537, u"", 1, {n62}, {}}};
    for (const auto& c : cases) {
        std::vector<std::u16string> written, deleted;
        const long result = WriteChunkChain(
            c.name.c_str(), data.data(), c.bytes,
            [&](const char16_t* name, const uint8_t*, uint32_t) {
                written.push_back(name);
                return name == c.failing ? 5L : kRegistrySuccess;  // 5: ERROR_ACCESS_DENIED
            },
            [&](const char16_t* name) { deleted.push_back(name); });
        EXPECT_EQ(result, c.result) << c.bytes;
        EXPECT_EQ(written, c.written) << c.bytes;
        EXPECT_EQ(deleted, c.deleted) << c.bytes;
    }
}

TEST(ChunkChain, PieceNamesFitSixtyFourUnitsOrDoNotExist) {
    char16_t name[kPieceNameUnits];
    EXPECT_TRUE(FormatPieceName(u"VmsCache", 0, name));
    EXPECT_EQ(std::u16string(name), u"VmsCache__0");
    EXPECT_TRUE(FormatPieceName(u"N", 4294967295u, name));
    EXPECT_EQ(std::u16string(name), u"N__4294967295");
    std::u16string longest(60, u'a');  // 60 + "__" + "0" + terminator = 64
    EXPECT_TRUE(FormatPieceName(longest.c_str(), 0, name));
    EXPECT_FALSE(FormatPieceName(longest.c_str(), 10, name));
    EXPECT_EQ(name[0], 0);
}

}  // namespace
