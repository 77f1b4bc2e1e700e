// The adapters of the Visual Basic twins, on their own: rule B's packing of
// ANSI bytes into a BSTR, rule C's size-then-fetch, rule A's conversion.
// They run against the real oleaut32 under Wine.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/vb_text_win.h"

namespace {

using qlclapi::AnsiArgument;
using qlclapi::BytesToHexBstr;
using qlclapi::StoreAnsiInBstr;
using qlclapi::StoreBytesInBstr;
using qlclapi::StoreVaryingTextInBstr;

// The BSTR's bytes, its length in units included.
struct Packed {
    UINT units;
    std::string bytes;  // 2 * units bytes
};

Packed Unpack(BSTR text) {
    Packed packed{SysStringLen(text), {}};
    packed.bytes.assign(reinterpret_cast<const char*>(text), 2 * packed.units);
    return packed;
}

class Bstr {
public:
    Bstr() : text_(SysAllocString(L"before")) {}
    ~Bstr() { SysFreeString(text_); }
    BSTR* target() { return &text_; }
    BSTR get() const { return text_; }
    bool untouched() const { return wcscmp(text_, L"before") == 0; }

private:
    BSTR text_;
};

struct PackCase {
    const wchar_t* text;
    UINT units;
    const char* bytes;  // ANSI bytes and the zero padding of an odd count
    size_t byteCount;
};

const PackCase kPackCases[] = {
    {L"Connected", 5, "Connected\0", 10},  // odd: the last unit has a zero high byte
    {L"10.1.2.3:5", 5, "10.1.2.3:5", 10},  // even: exactly half
    {L"x", 1, "x\0", 2},
    {L"", 0, "", 0},
};

class RuleB : public testing::TestWithParam<PackCase> {};

TEST_P(RuleB, PacksAnsiBytesTwoToAUnit) {
    Bstr target;
    ASSERT_EQ(StoreAnsiInBstr(target.target(), GetParam().text), 1u);
    Packed packed = Unpack(target.get());
    EXPECT_EQ(packed.units, GetParam().units);
    EXPECT_EQ(packed.bytes, std::string(GetParam().bytes, GetParam().byteCount));
}

INSTANTIATE_TEST_SUITE_P(Texts, RuleB, testing::ValuesIn(kPackCases));

TEST(RuleBFailures, LeaveTheCallersBstrAlone) {
    Bstr target;
    EXPECT_EQ(StoreAnsiInBstr(target.target(), nullptr), 0u);
    EXPECT_TRUE(target.untouched());
    EXPECT_EQ(StoreAnsiInBstr(nullptr, L"text"), 0u);
}

// Byte strings: as hex text ("00-1A"), or packed as they are.
TEST(ByteStrings, AsHexTextOrAsTheyAre) {
    Bstr target;
    const uint8_t bytes[] = {0x00, 0x1A, 0x2B, 0xFF};
    ASSERT_EQ(BytesToHexBstr(target.target(), bytes, 4), 1u);
    EXPECT_EQ(Unpack(target.get()).bytes, std::string("00-1A-2B-FF\0", 12));
    ASSERT_EQ(BytesToHexBstr(target.target(), nullptr, 0), 1u);
    EXPECT_EQ(Unpack(target.get()).units, 0u);
    EXPECT_EQ(BytesToHexBstr(target.target(), nullptr, 1), 0u);
    const uint8_t odd[] = {'a', 'b', 'c', 0};  // the last unit of an odd count is read whole
    ASSERT_EQ(StoreBytesInBstr(target.target(), odd, 3), 1u);
    EXPECT_EQ(Unpack(target.get()).bytes, std::string("abc\0", 4));
    EXPECT_EQ(StoreBytesInBstr(nullptr, odd, 3), 0u);
}

// Plain calls with the shape of a varying-length text export.
uint32_t GivesConnected(wchar_t* buffer, uint32_t* length) {
    static const wchar_t kText[] = L"Connected";
    if (!buffer) {
        *length = 2048;
        return 0;
    }
    if (*length < sizeof kText) {
        *length = 0;
        return 0;
    }
    memcpy(buffer, kText, sizeof kText);
    return 1;
}
uint32_t GivesNoSize(wchar_t*, uint32_t* length) {
    *length = 0;
    return 0;
}
uint32_t FailsTheFetch(wchar_t* buffer, uint32_t* length) {
    if (!buffer) *length = 64;
    return 0;
}
// Claims success but leaves its (odd-sized) buffer unterminated.
uint32_t FillsWithoutTerminator(wchar_t* buffer, uint32_t* length) {
    if (!buffer) {
        *length = 7;
        return 0;
    }
    for (uint32_t i = 0; i < *length / 2; ++i) buffer[i] = L'a';
    return 1;
}

TEST(RuleC, AsksTheSizeThenFetchesAndPacks) {
    Bstr target;
    ASSERT_EQ(StoreVaryingTextInBstr(target.target(), GivesConnected), 1u);
    EXPECT_EQ(Unpack(target.get()).bytes, std::string("Connected\0", 10));
}

TEST(RuleC, FailuresLeaveTheCallersBstrAlone) {
    for (auto plain : {GivesNoSize, FailsTheFetch}) {
        Bstr target;
        EXPECT_EQ(StoreVaryingTextInBstr(target.target(), plain), 0u);
        EXPECT_TRUE(target.untouched());
    }
}

TEST(RuleC, NeverReadsPastAnUnterminatedBuffer) {
    Bstr target;
    ASSERT_EQ(StoreVaryingTextInBstr(target.target(), FillsWithoutTerminator), 1u);
    EXPECT_EQ(Unpack(target.get()).bytes, std::string("aa\0\0", 2)) << "7 bytes hold 3 units, the last one zeroed";
}

TEST(RuleA, ConvertsAnsiAndKeepsNullNull) {
    AnsiArgument absent(nullptr);
    EXPECT_EQ(absent.text(), nullptr);
    AnsiArgument empty("");
    ASSERT_NE(empty.text(), nullptr);
    EXPECT_STREQ(empty.text(), L"");
    AnsiArgument text("user@example");
    ASSERT_NE(text.text(), nullptr);
    EXPECT_STREQ(text.text(), L"user@example");
}

}  // namespace
