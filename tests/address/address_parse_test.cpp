// The address text grammar, text to record: the token table's limit,
// terminators, the bare-address shortcut and the checks made on their own.
// Plain spellings meet inet_pton, every written form is read back, and the
// bounded and terminated parses are held to each other in the address fuzz
// targets, whose inputs every unit run replays.
#include <gtest/gtest.h>

#include <vector>

#include "address/address_parse_state.h"
#include "address_test_support.h"

namespace {

using namespace AddressParseFlags;

constexpr SilAddressRecord kRejected = {};

struct ParseCase {
    const char* text;
    uint32_t flags;
    SilAddressRecord expected;  // kRejected: the text is invalid
};

// Bare addresses take a shortcut unless extra delimiters are given, so every
// case also runs with a delimiter that never occurs, through the full parse.
void CheckParses(const std::vector<ParseCase>& cases, const char16_t* extraDelimiters = nullptr) {
    for (const ParseCase& c : cases) {
        for (const char16_t* extra : {extraDelimiters, extraDelimiters ? extraDelimiters : u"\x01"}) {
            SCOPED_TRACE(testing::Message() << c.text << (extra == extraDelimiters ? "" : " (full)"));
            SilAddressRecord record;
            std::memset(&record, 0xAB, sizeof record);
            const uint32_t result = ParseAddressText(U16(c.text).c_str(), &record, extra, c.flags);
            const bool rejected = c.expected.family == kSilFamilyEmpty;
            EXPECT_EQ(result, rejected ? kAddressTextInvalid : kAddressTextOk);
            // A rejected text leaves the record zeroed, which kRejected also is.
            EXPECT_TRUE(SameRecord(record, c.expected))
                << "got " << Describe(record) << "\nwant " << Describe(c.expected);
        }
    }
}

// The rejections the seeded spellings and the round trip never write: a
// dotted mask that is not four numbers, and a colon after an IPv6 address's
// dotted tail, zone or prefix without brackets.
TEST(AddressParse, MalformedMasksAndLateColons) {
    CheckParses({
        {"10.0.0.0/255.0.255.0", 0, V4("10.0.0.0", 0, 24)},  // only the trailing zero bits count
        {"1.2.3.4/255.0.0", 0, kRejected},
        {"1.2.3.4/256.0.0.0", 0, kRejected},
        {"::1.2.3.4:5", 0, kRejected},
        {"fe80::1%3:4", 0, kRejected},
        {"fe80::1/64:4", 0, kRejected},
    });
}

TEST(AddressParse, TokenTableHoldsThirtyTokensBeforeTheEnd) {
    // The longest ordinary form has 27 tokens; repeated "]" are each one token
    // more without changing the address, so they walk up to the limit.
    CheckParses({
        {"[1:2:3:4:5:6:1.2.3.4%1/64]:80", 0, V6("1:2:3:4:5:6:1.2.3.4", 80, 64, 1)},
        {"[1:2:3:4:5:6:1.2.3.4%1/64]]]]:80", 0, V6("1:2:3:4:5:6:1.2.3.4", 80, 64, 1)},
        {"[1:2:3:4:5:6:1.2.3.4%1/64]]]]]:80", 0, kRejected},
    });
}

TEST(AddressParse, TerminatorsEndTheText) {
    CheckParses({
        {"10.1.2.3,10.1.2.4", 0, V4("10.1.2.3")},
        {"10.1.2.3;garbage here", 0, V4("10.1.2.3")},
    });
    CheckParses(
        {
            {"10.1.2.3 trailing", 0, V4("10.1.2.3")},
            {"10.1.2.3|1.2.3.4", 0, V4("10.1.2.3")},
            // Extra delimiters win over digits: the text ends at the "4".
            {"1.2.3.4", 0, kRejected},
            {"1.2.3.5", 0, V4("1.2.3.5")},
        },
        u" |4");
    CheckParses({{"1.2.3.4", 0, V4("1.2.3.4")}}, u"");
}

// The shortcut for bare addresses takes the common forms itself, with the
// record the full parse would give, and leaves everything else to the passes.
TEST(AddressParse, ShortcutTakesOnlyBareAddresses) {
    constexpr size_t kAll = kAddressTextUnbounded;
    const struct {
        const char* text;
        size_t length;
        uint32_t flags;
        SilAddressRecord taken;  // kRejected: left to the passes
    } cases[] = {
        {"10.1.2.3", kAll, RejectPrefix | RejectPort, V4("10.1.2.3")},
        {"10.1.2.3:80", 8, 0, V4("10.1.2.3")},  // the bound ends the text
        {"10.1.2.3;x", kAll, 0, V4("10.1.2.3")},
        {"::1", kAll, 0, V6("::1")},
        {"fe80::1:2,x", kAll, 0, V6("fe80::1:2")},
        {"1:2:3:4:5:6:1.2.3.4", kAll, 0, V6("1:2:3:4:5:6:1.2.3.4")},
        {"::ffff:1.2.3.4", 14, 0, V6("::ffff:1.2.3.4")},
        {"1:2:3:4:5:6:7:8", 15, 0, V6("1:2:3:4:5:6:7:8")},
        {"10.1.2.3", 7, 0, kRejected},
        {"10.1.2.3:80", kAll, 0, kRejected},
        {"fe80::1%3", kAll, 0, kRejected},
        {"[::1]", kAll, 0, kRejected},
        {"10.1.2.3", kAll, RejectIPv6, kRejected},  // flags that could turn it down
        {"10.1.2.3", kAll, RejectIPv4, kRejected},
        {"10.1.2.3", kAll, RequirePrefix, kRejected},
        {"10.1.2.3", kAll, RequirePort, kRejected},
    };
    for (const auto& c : cases) {
        SilAddressRecord record = EmptyRecord();
        const bool taken = ParsePlainAddressText(U16(c.text).c_str(), c.length, c.flags, &record);
        EXPECT_EQ(taken, c.taken.family != kSilFamilyEmpty) << c.text;
        EXPECT_TRUE(SameRecord(record, c.taken)) << c.text << ": " << Describe(record);
    }
}

// What only the passes show: the port-only form of pair lists, and a parse
// whose address part holds a stray token.
TEST(AddressParse, PassesOnTheirOwn) {
    AddressParseState state;
    EXPECT_EQ(RunAddressParse(u"/:", 2, nullptr, AcceptPortOnly, &state), kAddressTextOk);
    EXPECT_TRUE(state.portOnlyForm);
    EXPECT_EQ(RunAddressParse(u"/:80", kAddressTextUnbounded, nullptr, AcceptPortOnly, &state), kAddressTextOk);
    EXPECT_EQ(state.address.family, kSilFamilyEmpty);
    EXPECT_EQ(state.address.port, htons(80));
    EXPECT_EQ(RunAddressParse(u"/:80", 1, nullptr, AcceptPortOnly, &state), kAddressTextInvalid);
    EXPECT_EQ(RunAddressParse(u"/:80", kAddressTextUnbounded, nullptr, 0, &state), kAddressTextInvalid);
    for (const char16_t* stray : {u"1::[2", u"1:[2::3"})
        EXPECT_EQ(RunAddressParse(stray, kAddressTextUnbounded, nullptr, AcceptPortOnly, &state), kAddressTextInvalid);
}

}  // namespace
