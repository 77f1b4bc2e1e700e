// The permanent identifier, plain and VB twin, over the stored value: what
// fits in the caller's buffer, the twin's 32 bytes packed two to a unit, and
// values that are missing, too long or of another type. How chained pieces
// are read is tested natively (chunk_chain_test.cpp).
#include <gtest/gtest.h>

#include <windows.h>
#include <oleauto.h>

#include <cstring>
#include <functional>

#include "qlclapi.h"
#include "support/client_config.h"

namespace qltest {
namespace {

const wchar_t* const kState = qlsim::kClientStateKey;
using Bytes = std::vector<uint8_t>;

void Chunked(size_t bytes) { ASSERT_EQ(qlsim::WriteChunked(kState, L"PID", qlsim::PatternBytes(bytes)), 0u); }

const struct IdCase {
    const char* name;
    std::function<void()> layDown;
    uint32_t length;  // what the plain export reports with a 32-byte buffer
    Bytes read;       // the bytes it must have put there
    bool twin;        // whether the twin answers (with `read`)
} kIds[] = {
    {"Default", [] {}, 32, qlsim::PatternBytes(32), true},
    {"Missing", [] { qlsim::RemoveValue(kState, L"PID"); }, 0, {}, false},
    {"StateKeyMissing", [] { DeleteKeyTree(kState); }, 32, {}, false},  // length left as it was
    {"Empty", [] { Chunked(0); }, 0, {}, true},
    {"OddLength", [] { Chunked(31); }, 31, qlsim::PatternBytes(31), true},
    {"TooLong", [] { Chunked(33); }, 33, {}, false},
    {"OfTypeQword", [] { WriteRaw(kState, L"PID", REG_QWORD, Bytes(8, 0xA5)); }, 8, Bytes(8, 0xA5), true},
};

using PermanentId = ClientConfigTest;

TEST_F(PermanentId, PlainAndTwinReadWhatFits) {
    QL_EXPORT(library(), QuorlanGetPermanentID);
    QL_EXPORT(library(), QuorlanGetPermanentIDVB);
    for (const IdCase& c : kIds) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(qlsim::RemoveClientKeys() | qlsim::InstallClientKeys(), 0u);
        c.layDown();
        uint8_t buffer[40];
        std::memset(buffer, 0xEE, sizeof buffer);
        QlUInt32 length = 32;
        EXPECT_EQ(QuorlanGetPermanentID(buffer, &length), 1u);
        EXPECT_EQ(length, c.length);
        EXPECT_TRUE(std::equal(c.read.begin(), c.read.end(), buffer));
        EXPECT_EQ(buffer[c.read.size()], 0xEE);
        // The size query answers 32, whatever is stored.
        EXPECT_EQ(QuorlanGetPermanentID(nullptr, &length), 0u);
        EXPECT_EQ(length, 32u);

        BSTR text = SysAllocString(L"unchanged");
        ASSERT_EQ(QuorlanGetPermanentIDVB(&text), c.twin ? 1u : 0u);
        // Two bytes a unit; an odd count leaves a zero high byte.
        Bytes packed = c.twin ? c.read : Bytes{'u', 0, 'n', 0, 'c', 0, 'h', 0, 'a', 0, 'n', 0, 'g', 0, 'e', 0, 'd', 0};
        if (packed.size() % 2) packed.push_back(0);
        ASSERT_EQ(SysStringLen(text) * 2, packed.size());
        EXPECT_EQ(std::memcmp(text, packed.data(), packed.size()), 0);
        SysFreeString(text);
    }
}

}  // namespace
}  // namespace qltest
