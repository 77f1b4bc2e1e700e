// The user and device names of the connection details record, read from
// bytes laid out by the simulated driver's own writer.
#include <gtest/gtest.h>

#include <cstring>

#include "sim_records.h"
#include "status/details_record.h"

namespace {

using namespace qlclapi;

struct NamesCase {
    const char* name;
    qlsim::SimConnectionDetails details;
    bool userPresent, devicePresent;
};

constexpr uint32_t kAbsent = qlsim::kSimDetailsAbsent;

const NamesCase kNames[] = {
    {"Both", {u"corp\\alice", u"PC-7", 0, 0}, true, true},
    {"NonLatin", {u"\u03A9\u4E2D\U0001F600", u"\u0416", 1, 0xFFFFFFFE}, true, true},
    {"UserAbsent", {u"alice", u"PC-7", kAbsent, 7}, false, true},
    {"DeviceAbsent", {u"", u"", 0x100, kAbsent}, true, false},
    {"OneByteFromAbsent", {u"a", u"b", 0xFF00FFFF, 0xFFFF00FF}, true, true},
    {"OtherBytesFromAbsent", {u"a", u"b", 0xFFFFFF7F, 0x7FFFFFFF}, true, true},
    {"Unterminated", {std::u16string(255, u'\u0141'), std::u16string(255, u'd'), 0, 0}, true, true},
};

TEST(DetailsRecord, NamesAndMarkersAtTheirOffsets) {
    for (const NamesCase& c : kNames) {
        DetailsRecord record;
        const std::vector<uint8_t> bytes = qlsim::ConnectionDetailsBytes(c.details);
        ASSERT_EQ(bytes.size(), sizeof record);
        memcpy(record, bytes.data(), sizeof record);
        const DetailsName user = UserOf(record), device = DeviceOf(record);
        EXPECT_EQ(user.present, c.userPresent) << c.name;
        EXPECT_EQ(device.present, c.devicePresent) << c.name;
        EXPECT_EQ(std::u16string(user.text, user.length), c.details.user) << c.name;
        EXPECT_EQ(std::u16string(device.text, device.length), c.details.device) << c.name;
        EXPECT_EQ(user.text[user.length], 0);
        EXPECT_EQ(device.text[device.length], 0);
    }
}

}  // namespace
