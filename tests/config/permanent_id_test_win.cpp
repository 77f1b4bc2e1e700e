// The permanent identifier, plain and VB twin: the size query, what fits in
// the caller's buffer and the twin's 32 bytes, a missing value or key, and a
// value of another type. How chained pieces are read is tested natively
// (chunk_chain_test.cpp).
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

Bytes Pattern(size_t bytes) { return qlsim::PatternBytes(bytes); }
struct IdCase {
    const char* name;
    std::function<void()> layDown;
    uint32_t length;  // what the plain export reports with a 32-byte buffer
    Bytes read;       // the bytes it must have put there
    bool twin;        // whether the twin answers (with `read`)
};

void PrintTo(const IdCase& c, std::ostream* out) { *out << c.name; }

void Chunked(size_t bytes) { ASSERT_EQ(qlsim::WriteChunked(kState, L"PID", Pattern(bytes)), 0u); }
void Piece(const wchar_t* name, const Bytes& bytes) { WriteRaw(kState, name, REG_BINARY, bytes); }
const Bytes k16 = Pattern(16), k20 = Bytes(20, 0x5A), k8 = Bytes(8, 0xA5);

const IdCase kIds[] = {
    {"Default", [] {}, 32, Pattern(32), true},
    {"Missing", [] { qlsim::RemoveValue(kState, L"PID"); }, 0, {}, false},
    {"StateKeyMissing", [] { DeleteKeyTree(kState); }, 32, {}, false},  // length left as it was
    {"Empty", [] { Chunked(0); }, 0, {}, true},
    {"Bytes31", [] { Chunked(31); }, 31, Pattern(31), true},
    {"Bytes33", [] { Chunked(33); }, 33, {}, false},
    {"Bytes200000", [] { Chunked(200000); }, 200000, {}, false},
    // The first piece fits, the second does not: the size says so.
    {"SecondPieceTooLarge", [] { Piece(L"PID", k16), Piece(L"PID__0", k20); }, 36, k16, false},
    {"OfTypeQword", [] { WriteRaw(kState, L"PID", REG_QWORD, k8); }, 8, k8, true},  // bytes are bytes
};

class PermanentId : public ClientConfigTest, public testing::WithParamInterface<IdCase> {};

TEST_P(PermanentId, PlainAndTwinReadWhatFits) {
    const IdCase& c = GetParam();
    c.layDown();
    QL_EXPORT(library(), QuorlanGetPermanentID);
    QL_EXPORT(library(), QuorlanGetPermanentIDVB);

    uint8_t buffer[40];
    std::memset(buffer, 0xEE, sizeof buffer);
    QlUInt32 length = 32;
    EXPECT_EQ(QuorlanGetPermanentID(buffer, &length), 1u);
    EXPECT_EQ(length, c.length);
    EXPECT_TRUE(std::equal(c.read.begin(), c.read.end(), buffer));
    for (size_t i = c.read.size(); i < sizeof buffer; ++i) EXPECT_EQ(buffer[i], 0xEE) << "byte " << i;

    // The size query always answers 32, whatever is stored.
    length = 7;
    EXPECT_EQ(QuorlanGetPermanentID(nullptr, &length), 0u);
    EXPECT_EQ(length, 32u);
    EXPECT_EQ(QuorlanGetPermanentID(buffer, nullptr), 0u);

    BSTR text = SysAllocString(L"unchanged");
    EXPECT_EQ(QuorlanGetPermanentIDVB(&text), c.twin ? 1u : 0u);
    if (c.twin) {
        // Two bytes a unit; an odd count leaves a zero high byte.
        ASSERT_EQ(SysStringLen(text), (c.read.size() + 1) / 2);
        Bytes packed(reinterpret_cast<const uint8_t*>(text), reinterpret_cast<const uint8_t*>(text) + 2 * SysStringLen(text));
        EXPECT_TRUE(std::equal(c.read.begin(), c.read.end(), packed.begin()));
        if (c.read.size() % 2) {
            EXPECT_EQ(packed.back(), 0);
        }
    } else {
        EXPECT_STREQ(text, L"unchanged");
    }
    SysFreeString(text);
    EXPECT_EQ(QuorlanGetPermanentIDVB(nullptr), 0u);
}

INSTANTIATE_TEST_SUITE_P(Each, PermanentId, testing::ValuesIn(kIds),
                         [](const testing::TestParamInfo<IdCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace qltest
