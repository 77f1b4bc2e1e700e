// The chunked binary value's bookkeeping, over an in-memory registry that
// answers like RegQueryValueExW.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "config/chunk_chain.h"

namespace {

using namespace qlclapi;
using Values = std::map<std::u16string, std::vector<uint8_t>>;

long ReadLikeRegistry(const Values& values, const char16_t* name, uint8_t* destination, uint32_t room,
                      uint32_t* reported) {
    auto found = values.find(name);
    if (found == values.end()) return 2;  // ERROR_FILE_NOT_FOUND
    uint32_t size = static_cast<uint32_t>(found->second.size());
    *reported = size;
    if (!destination) return kRegistrySuccess;
    if (size > room) return kRegistryMoreData;
    std::copy(found->second.begin(), found->second.end(), destination);
    return kRegistrySuccess;
}

Values Written(uint32_t bytes, Values values = {}) {
    std::vector<uint8_t> data(bytes);
    for (uint32_t i = 0; i < bytes; ++i) data[i] = static_cast<uint8_t>(i * 7 + i / 65536);
    WriteChunkChain(
        u"N", data.data(), bytes,
        [&](const char16_t* name, const uint8_t* piece, uint32_t size) {
            values[name].assign(piece, piece + size);
            return kRegistrySuccess;
        },
        [&](const char16_t* name) { values.erase(name); });
    return values;
}

TEST(ChunkChain, ReadsWhatFitsAndReportsTheTotal) {
    Values values = Written(65536 * 2 + 10, {{u"N__2", {9, 9}}, {u"N__4", {9}}});  // N__2 stale, deleted
    ASSERT_EQ(values.count(u"N__2"), 0u);
    const uint32_t total = 65536 * 2 + 10;
    const struct {
        uint32_t capacity;
        bool withBuffer;
        long first;
        uint32_t copied;  // leading bytes that must match
    } cases[] = {{0, false, kRegistrySuccess, 0},           // size query
                 {100, true, kRegistryMoreData, 0},         // first piece does not fit
                 {65536 + 20, true, kRegistrySuccess, 65536},  // first piece only
                 {total, true, kRegistrySuccess, total},
                 {total + 100, true, kRegistrySuccess, total}};
    Values expected = Written(total);
    std::vector<uint8_t> whole = expected[u"N"];
    whole.insert(whole.end(), expected[u"N__0"].begin(), expected[u"N__0"].end());
    whole.insert(whole.end(), expected[u"N__1"].begin(), expected[u"N__1"].end());
    for (const auto& c : cases) {
        std::vector<uint8_t> buffer(c.capacity + 1, 0xEE);
        auto read = [&](const char16_t* name, uint8_t* d, uint32_t room, uint32_t* reported) {
            if (d) EXPECT_LE(d + room, buffer.data() + c.capacity) << "room past the capacity";
            return ReadLikeRegistry(values, name, d, room, reported);
        };
        ChunkReadResult result = ReadChunkChain(u"N", c.withBuffer ? buffer.data() : nullptr, c.capacity, read);
        EXPECT_EQ(result.firstResult, c.first) << c.capacity;
        EXPECT_EQ(result.total, total) << c.capacity;
        EXPECT_TRUE(std::equal(buffer.begin(), buffer.begin() + c.copied, whole.begin())) << c.capacity;
        EXPECT_EQ(buffer[c.capacity], 0xEE) << "written past the capacity";
    }
}

TEST(ChunkChain, EndsAtAGapAnEmptyPieceOrAMissingValue) {
    const struct {
        Values values;
        long first;
        uint32_t total;
    } cases[] = {{{{u"N", {1, 2}}, {u"N__1", {3}}}, kRegistrySuccess, 2},  // gap: N__0 missing
                 {{{u"N", {1, 2}}, {u"N__0", {}}, {u"N__1", {3}}}, kRegistrySuccess, 2},
                 {{{u"N", {}}, {u"N__0", {3}}}, kRegistrySuccess, 0},
                 {{{u"N__0", {3}}}, 2, 0}};
    for (const auto& c : cases) {
        uint8_t buffer[8] = {};
        auto read = [&](const char16_t* name, uint8_t* d, uint32_t room, uint32_t* reported) {
            return ReadLikeRegistry(c.values, name, d, room, reported);
        };
        ChunkReadResult result = ReadChunkChain(u"N", buffer, sizeof buffer, read);
        EXPECT_EQ(result.firstResult, c.first);
        EXPECT_EQ(result.total, c.total);
    }
}

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
