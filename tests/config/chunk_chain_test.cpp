// The client key paths and the chunked binary value's bookkeeping, over an
// in-memory registry that answers like RegQueryValueExW.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "config/chunk_chain.h"
#include "config/client_key_path.h"

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

TEST(ChunkChain, WritesPiecesAndDeletesTheFirstUnusedName) {
    const struct {
        uint32_t bytes;
        std::vector<std::u16string> names;
    } cases[] = {{0, {u"N"}},
                 {65536, {u"N"}},
                 {65537, {u"N", u"N__0"}},
                 {3 * 65536 + 5, {u"N", u"N__0", u"N__1", u"N__2"}}};
    for (const auto& c : cases) {
        // Stale pieces of a longer value: N__0 is always deleted when unused,
        // later ones stay but are never read.
        Values stale = {{u"N__0", {1}}, {u"N__1", {2}}, {u"N__5", {3}}};
        Values values = Written(c.bytes, stale);
        for (const auto& name : c.names) EXPECT_EQ(values.count(name), 1u) << c.bytes;
        EXPECT_EQ(values[u"N"].size(), std::min<uint32_t>(c.bytes, 65536));
        char16_t next[kPieceNameUnits];
        FormatPieceName(u"N", static_cast<uint32_t>(c.names.size() - 1), next);
        EXPECT_EQ(values.count(next), 0u) << c.bytes;
    }
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

TEST(ClientKeyPath, BuildsBoundedPaths) {
    const std::u16string state = kClientStatePath;
    const struct {
        ClientKey which;
        const char16_t* current;
        std::u16string subkey;
        std::u16string path;
    } cases[] = {{1, nullptr, u"", kClientParamsPath},
                 {2, nullptr, u"", state},
                 {0, nullptr, u"", state},
                 {-7, nullptr, u"Settings", state + u"\\Settings"},
                 {3, u"Cur", u"Settings", state + u"\\Cur\\Settings"},
                 // Cut at 255 characters, not refused.
                 {2, nullptr, std::u16string(300, u'x'),
                  (state + u"\\" + std::u16string(300, u'x')).substr(0, 255)}};
    for (const auto& c : cases) {
        char16_t path[kClientKeyPathUnits];
        BuildClientKeyPath(c.which, c.current, c.subkey.empty() ? nullptr : c.subkey.c_str(), path);
        EXPECT_EQ(std::u16string(path), c.path) << c.which;
    }
}

TEST(ClientKeyPath, AcceptsOnlyUsableCurrentSubkeyNames) {
    const std::u16string c127(127, u'c'), c128(128, u'c');
    const struct {
        std::u16string value;  // as stored, terminator included when there is one
        uint32_t bytes;        // as reported by the registry
        std::u16string name;   // empty: refused
    } cases[] = {{std::u16string(1, 0), 2, u""},
                 {u"A", 2, u""},  // fewer than two units
                 {std::u16string(u"A") + u'\0', 4, u"A"},
                 {u"Ab", 4, u"Ab"},
                 {u"Ab", 5, u"Ab"},  // odd length: the last byte is dropped
                 {c127 + u'\0', 256, c127},
                 {c127, 254, c127},
                 {c128, 256, u""}};
    for (const auto& c : cases) {
        char16_t name[kCurrentSubkeyUnits];
        std::u16string padded = c.value + std::u16string(4, u'z');  // bytes past the value are never read
        bool ok = CurrentSubkeyName(padded.c_str(), c.bytes, name);
        EXPECT_EQ(ok, !c.name.empty()) << c.bytes;
        if (ok) EXPECT_EQ(std::u16string(name), c.name) << c.bytes;
    }
}

}  // namespace
