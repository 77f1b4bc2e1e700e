// The walk of the binary settings store: data offsets past entries without
// data, the first usable entry winning, and blobs whose counts and sizes
// claim more bytes than they hold, which must be read only as far as they go.
#include <gtest/gtest.h>

#include "config/settings_blob.h"
#include "settings_blob_image.h"

namespace {

using namespace qlclapi;
using qlsim::BlobEntry;
using qlsim::BlobImage;

BlobEntry Entry(uint32_t id, int32_t status, std::vector<uint8_t> data, int64_t sizeClaim = -1) {
    return BlobEntry{id, status, std::move(data), sizeClaim};
}

struct Case {
    const char* name;
    BlobImage image;
    uint32_t wanted;
    ConfigStatus status;
    std::vector<uint8_t> data;
};

const std::vector<Case>& Cases() {
    static const std::vector<Case> kCases = {
        {"FoundAfterEntriesWithAndWithoutData",
         {{Entry(1, 0, {1, 2, 3}), Entry(2, -1, {9, 9, 9, 9}), Entry(3, 5, {4, 5})}}, 3, kConfigOk, {4, 5}},
        {"NegativeStatusHidesTheEntryButNotALaterOne",
         {{Entry(7, -2, {1}), Entry(8, 0, {2}), Entry(7, 0, {3, 3})}}, 7, kConfigOk, {3, 3}},
        {"NegativeStatusOnlyIsNotFound", {{Entry(7, -1, {1, 2, 3, 4})}}, 7, kConfigNotFound, {}},
        {"FirstOfTwoEntriesWins", {{Entry(5, 0, {1}), Entry(5, 0, {2})}}, 5, kConfigOk, {1}},
        {"EmptyDataIsFound", {{Entry(5, 0, {}), Entry(6, 0, {7})}}, 5, kConfigOk, {}},
        {"NoEntries", {{}}, 5, kConfigNotFound, {}},
        {"AbsentId", {{Entry(1, 0, {1})}}, 2, kConfigNotFound, {}},
        {"HeaderOnlyCut", {{}, -1, 7}, 5, kConfigFailed, {}},
        {"CountPastTheEnd", {{Entry(5, 0, {1})}, 2}, 5, kConfigFailed, {}},
        {"HugeCount", {{Entry(5, 0, {1})}, 0xFFFFFFFF}, 5, kConfigFailed, {}},
        {"WantedDataPastTheEnd", {{Entry(5, 0, {1, 2}, 3)}}, 5, kConfigFailed, {}},
        {"WantedDataCut", {{Entry(1, 0, {1}), Entry(5, 0, {1, 2, 3, 4})}, -1, 8 + 24 + 1 + 3}, 5, kConfigFailed, {}},
        {"EntryBeforeTheDamageStillReads", {{Entry(1, 0, {6}), Entry(5, 0, {1, 2}, 0xFFFFFFFF)}}, 1, kConfigOk, {6}},
        {"DamageBeforeTheWantedEntry", {{Entry(1, 0, {6}, 0xFFFFFFFF), Entry(5, 0, {1})}}, 5, kConfigFailed, {}},
        {"DamagedEntryWithoutDataIsHarmless", {{Entry(1, -1, {}, 0xFFFFFFFF), Entry(5, 0, {1})}}, 5, kConfigOk, {1}},
        // Identifiers and sizes use all four bytes.
        {"WideIdAfterWideData", {{Entry(7, 0, std::vector<uint8_t>(70000, 1)), Entry(0x01020305, 0, {9})}},
         0x01020305, kConfigOk, {9}},
        {"LastByteOfTheBlobIsData", {{Entry(5, 0, {1, 2, 3, 4})}}, 5, kConfigOk, {1, 2, 3, 4}},
    };
    return kCases;
}

class BlobWalk : public testing::TestWithParam<Case> {};

TEST_P(BlobWalk, FindsTheEntryWithinTheBytesRead) {
    const Case& c = GetParam();
    // The blob alone in a heap block of its size: a read past it is caught
    // by the sanitizers.
    std::vector<uint8_t> image = qlsim::BuildBlob(c.image);
    std::unique_ptr<uint8_t[]> blob(new uint8_t[image.size() ? image.size() : 1]);
    std::copy(image.begin(), image.end(), blob.get());
    BlobSetting found;
    ASSERT_EQ(FindBlobSetting(blob.get(), image.size(), c.wanted, found), c.status);
    if (c.status != kConfigOk) {
        EXPECT_EQ(found.data, nullptr);
        return;
    }
    ASSERT_GE(found.data, blob.get());
    ASSERT_LE(found.data + found.size, blob.get() + image.size());
    EXPECT_EQ(std::vector<uint8_t>(found.data, found.data + found.size), c.data);
}

INSTANTIATE_TEST_SUITE_P(Blobs, BlobWalk, testing::ValuesIn(Cases()),
                         [](const testing::TestParamInfo<Case>& info) { return info.param.name; });

TEST(BlobWalkLimits, ShortAndNullBlobsAreDamaged) {
    BlobSetting found;
    const uint8_t bytes[8] = {};
    for (size_t size = 0; size < 8; ++size) EXPECT_EQ(FindBlobSetting(bytes, size, 0, found), kConfigFailed) << size;
    EXPECT_EQ(FindBlobSetting(bytes, 8, 0, found), kConfigNotFound);
    EXPECT_EQ(FindBlobSetting(nullptr, 100, 0, found), kConfigFailed);
}

}  // namespace
