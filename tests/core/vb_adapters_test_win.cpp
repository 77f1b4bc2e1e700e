// The adapters of the Visual Basic twins, on their own: rule B's packing of
// ANSI bytes (and byte strings) into a BSTR, rule C's size-then-fetch. They
// run against the real oleaut32 under Wine. (Rule A's conversion, and a
// null text kept null: the twins' own tests, diag_commands_test_win.cpp and
// credential_test_win.cpp.)
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/vb_text_win.h"

namespace {

using namespace qlclapi;

// The BSTR's bytes: two to each of its units.
std::string Bytes(BSTR text) { return std::string(reinterpret_cast<const char*>(text), 2 * SysStringLen(text)); }

class Bstr {
public:
    Bstr() : text_(SysAllocString(L"before")) {}
    ~Bstr() { SysFreeString(text_); }
    BSTR* target() { return &text_; }
    std::string bytes() const { return Bytes(text_); }
    bool untouched() const { return wcscmp(text_, L"before") == 0; }

private:
    BSTR text_;
};

TEST(RuleB, PacksAnsiBytesTwoToAUnit) {
    const std::pair<const wchar_t*, std::string> kTexts[] = {
        {L"Connected", {"Connected\0", 10}},  // odd: the last unit has a zero high byte
        {L"10.1.2.3:5", "10.1.2.3:5"},        // even: exactly half
        {L"x", {"x\0", 2}},
        {L"", ""},
    };
    for (const auto& [text, bytes] : kTexts) {
        Bstr target;
        ASSERT_EQ(StoreAnsiInBstr(target.target(), text), 1u) << bytes;
        EXPECT_EQ(target.bytes(), bytes);
    }
    Bstr target;
    EXPECT_EQ(StoreAnsiInBstr(target.target(), nullptr), 0u);
    EXPECT_TRUE(target.untouched());
    EXPECT_EQ(StoreAnsiInBstr(nullptr, L"text"), 0u);
}

// Byte strings: as hex text ("00-1A"), or packed as they are.
TEST(RuleB, ByteStringsAsHexTextOrAsTheyAre) {
    Bstr target;
    const uint8_t bytes[] = {0x00, 0x1A, 0x2B, 0xFF};
    ASSERT_EQ(BytesToHexBstr(target.target(), bytes, 4), 1u);
    EXPECT_EQ(target.bytes(), std::string("00-1A-2B-FF\0", 12));
    ASSERT_EQ(BytesToHexBstr(target.target(), nullptr, 0), 1u);
    EXPECT_EQ(target.bytes(), "");
    EXPECT_EQ(BytesToHexBstr(target.target(), nullptr, 1), 0u);
    const uint8_t odd[] = {'a', 'b', 'c', 0};  // the last unit of an odd count is read whole
    ASSERT_EQ(StoreBytesInBstr(target.target(), odd, 3), 1u);
    EXPECT_EQ(target.bytes(), std::string("abc\0", 4));
    EXPECT_EQ(StoreBytesInBstr(nullptr, odd, 3), 0u);
}

// Plain calls with the shape of a varying-length text export.
uint32_t GivesConnected(wchar_t* buffer, uint32_t* length) {
    static const wchar_t kText[] = L"Connected";
    if (!buffer) return *length = 2048, 0;
    if (*length < sizeof kText) return *length = 0, 0;
    memcpy(buffer, kText, sizeof kText);
    return 1;
}
uint32_t GivesNoSize(wchar_t*, uint32_t* length) { return *length = 0, 0; }
uint32_t FailsTheFetch(wchar_t* buffer, uint32_t* length) {
    if (!buffer) *length = 64;
    return 0;
}
// Claims success but leaves its (odd-sized) buffer unterminated.
uint32_t FillsWithoutTerminator(wchar_t* buffer, uint32_t* length) {
    if (!buffer) return *length = 7, 0;
    for (uint32_t i = 0; i < *length / 2; ++i) buffer[i] = L'a';
    return 1;
}

TEST(RuleC, AsksTheSizeThenFetchesAndPacks) {
    Bstr target;
    ASSERT_EQ(StoreVaryingTextInBstr(target.target(), GivesConnected), 1u);
    EXPECT_EQ(target.bytes(), std::string("Connected\0", 10));
    ASSERT_EQ(StoreVaryingTextInBstr(target.target(), FillsWithoutTerminator), 1u);
    EXPECT_EQ(target.bytes(), "aa") << "7 bytes hold 3 units, the last one zeroed";
    for (auto plain : {GivesNoSize, FailsTheFetch}) {
        Bstr untouched;
        EXPECT_EQ(StoreVaryingTextInBstr(untouched.target(), plain), 0u);
        EXPECT_TRUE(untouched.untouched());
    }
}

}  // namespace
