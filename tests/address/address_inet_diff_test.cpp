// Differential test against the C library's inet_pton and inet_ntop on plain
// addresses (no port, prefix or zone). Where the two disagree, the case must
// name the rule of this grammar that explains it; an unexplained difference,
// or a named rule where both agree, fails.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>

#include "address_test_support.h"

namespace {

// Whether ours accepts the text; *plain says the record holds nothing but the
// address (the family's defaults everywhere else).
bool Ours(const char* text, uint16_t* family, uint8_t bytes[16], bool* plain) {
    SilAddressRecord r;
    if (ParseAddressText(U16(text).c_str(), &r, nullptr, 0) != kAddressTextOk) return false;
    *family = r.family;
    if (r.family == kSilFamilyIPv4) {
        std::memcpy(bytes, &r.v4.address, 4);
        *plain = r.port == 0 && r.v4.prefixLength == 32;
    } else {
        std::memcpy(bytes, r.v6.address, 16);
        *plain = r.port == 0 && r.v6.prefixLength == 128 && r.v6.scopeId == 0;
    }
    return true;
}

bool Theirs(const char* text, uint16_t* family, uint8_t bytes[16]) {
    if (inet_pton(AF_INET, text, bytes) == 1) {
        *family = kSilFamilyIPv4;
        return true;
    }
    *family = kSilFamilyIPv6;
    return inet_pton(AF_INET6, text, bytes) == 1;
}

TEST(AddressInetDiff, ParseAgreesOrNamesTheRule) {
    const struct {
        const char* text;
        const char* rule;  // null: both must give the same answer
    } cases[] = {
        {"1.2.3.4", nullptr},
        {"::", nullptr},
        {"::1", nullptr},
        {"FE80::ABCD", nullptr},
        {"::ffff:1.2.3.4", nullptr},
        {"1:2:3:4:5:6:1.2.3.4", nullptr},
        {"1:2:3:4:5:6:7::", nullptr},
        {"::1:2:3:4:5:6:7", nullptr},
        {"1.2.3", nullptr},
        {"1.2.3.256", nullptr},
        {"::00001", nullptr},
        {"1::2::3", nullptr},
        {"1:2:3:4:5:6:7::8", nullptr},
        {"1:2:3:4::5:6:7:8", nullptr},
        {"1.2.3.4 ", nullptr},
        {"010.1.2.3", "leading zeros are decimal: 010 is 10"},
        {"::1.2.3.04", "leading zeros are decimal, in a dotted tail as well"},
        {"1.2.3.4:80", "a port follows the IPv4 address after ':'"},
        {"1.2.3.4/8", "a prefix length follows '/'"},
        {"10.0.0.0/255.0.0.0", "a dotted mask follows '/' after an IPv4 address"},
        {"[::1]", "brackets may enclose an IPv6 address"},
        {"[::1", "an unclosed '[' ends with the text"},
        {"fe80::1%3", "a decimal zone follows '%'"},
        {"1.2.3.4,5.6.7.8", "',' and ';' end the text"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        uint16_t oursFamily = 0, theirsFamily = 0;
        uint8_t ours[16] = {}, theirs[16] = {};
        bool plain = false;
        const bool oursOk = Ours(c.text, &oursFamily, ours, &plain);
        const bool theirsOk = Theirs(c.text, &theirsFamily, theirs);
        const bool agree = oursOk == theirsOk &&
                           (!oursOk || (plain && oursFamily == theirsFamily &&
                                        std::memcmp(ours, theirs, sizeof ours) == 0));
        if (c.rule == nullptr) {
            EXPECT_TRUE(agree) << "ours " << oursOk << ", inet_pton " << theirsOk;
        } else {
            EXPECT_FALSE(agree) << "both agree; the rule \"" << c.rule << "\" explains nothing";
        }
    }
}

std::string OursText(const uint8_t bytes[16]) {
    SilAddressRecord r = EmptyRecord();
    r.family = kSilFamilyIPv6;
    std::memcpy(r.v6.address, bytes, 16);
    r.v6.prefixLength = 128;
    return FormatToString(r, 0);
}

uint16_t Group(const uint8_t a[16], int g) { return static_cast<uint16_t>(a[2 * g] << 8 | a[2 * g + 1]); }

// Whether a zero run of two or more groups follows the first such run and is
// longer than it.
bool LaterRunIsLonger(const uint8_t a[16]) {
    int firstLength = 0;
    for (int g = 0; g < 8;) {
        int length = 0;
        while (g + length < 8 && Group(a, g + length) == 0) ++length;
        if (length >= 2) {
            if (firstLength == 0) {
                firstLength = length;
            } else if (length > firstLength) {
                return true;
            }
        }
        g += length > 0 ? length : 1;
    }
    return false;
}

// Names the rule that makes our text differ from inet_ntop's, or null.
const char* ExplainFormatDifference(const uint8_t a[16], const std::string& ours,
                                    const std::string& theirs) {
    const bool oursDotted = ours.find('.') != std::string::npos;
    const bool theirsDotted = theirs.find('.') != std::string::npos;
    bool firstSixZero = true;
    for (int g = 0; g < 6; ++g) firstSixZero = firstSixZero && Group(a, g) == 0;
    if (oursDotted && !theirsDotted) {
        if ((a[8] == 0 || a[8] == 2) && a[9] == 0 && a[10] == 0x5E && a[11] == 0xFE) {
            return "ISATAP interface ids 0000:5efe and 0200:5efe are written with a dotted tail";
        }
        if (firstSixZero && Group(a, 6) == 0) {
            return "::a.b.c.d keeps its dotted tail when a.b is 0 (::2 prints as ::0.0.0.2)";
        }
        return nullptr;
    }
    if (oursDotted == theirsDotted && LaterRunIsLonger(a)) {
        return "the first zero run is compressed, not the longest";
    }
    return nullptr;
}

TEST(AddressInetDiff, FormatAgreesOrNamesTheRule) {
    std::mt19937 random(7);
    static const uint16_t kGroups[] = {0, 0, 0, 0, 1, 0xFFFF, 0x5EFE, 0x0200};
    std::map<std::string, int> differences;  // rule -> count
    for (int i = 0; i < 20000; ++i) {
        uint8_t a[16];
        for (int g = 0; g < 8; ++g) {
            const uint16_t group = random() % 4 == 0 ? static_cast<uint16_t>(random())
                                                     : kGroups[random() % 8];
            a[2 * g] = static_cast<uint8_t>(group >> 8);
            a[2 * g + 1] = static_cast<uint8_t>(group);
        }
        char theirs[INET6_ADDRSTRLEN];
        ASSERT_NE(inet_ntop(AF_INET6, a, theirs, sizeof theirs), nullptr);
        const std::string ours = OursText(a);
        SCOPED_TRACE("ours " + ours + ", inet_ntop " + theirs);

        // Whatever the spelling, each side reads the other's as the same address.
        uint8_t back[16];
        ASSERT_EQ(inet_pton(AF_INET6, ours.c_str(), back), 1);
        EXPECT_EQ(std::memcmp(back, a, 16), 0);
        uint16_t family;
        bool plain = false;
        ASSERT_TRUE(Ours(theirs, &family, back, &plain));
        EXPECT_TRUE(plain);
        EXPECT_EQ(std::memcmp(back, a, 16), 0);

        if (ours != theirs) {
            const char* rule = ExplainFormatDifference(a, ours, theirs);
            EXPECT_NE(rule, nullptr) << "unexplained";
            ++differences[rule != nullptr ? rule : "unexplained"];
        }
    }
    // Each of the three rules shows up in the sample.
    EXPECT_EQ(differences.size(), 3u);
}

TEST(AddressInetDiff, IPv4TextsAreIdentical) {
    std::mt19937 random(11);
    for (int i = 0; i < 5000; ++i) {
        const uint32_t value = static_cast<uint32_t>(random());
        SilAddressRecord r = EmptyRecord();
        r.family = kSilFamilyIPv4;
        r.v4.address = value;
        r.v4.prefixLength = 32;
        char theirs[INET_ADDRSTRLEN];
        inet_ntop(AF_INET, &value, theirs, sizeof theirs);
        ASSERT_EQ(FormatToString(r, 0), theirs);
        uint16_t family;
        uint8_t back[16];
        bool plain = false;
        ASSERT_TRUE(Ours(theirs, &family, back, &plain));
        EXPECT_TRUE(plain);
        EXPECT_EQ(std::memcmp(back, &value, 4), 0);
    }
}

}  // namespace
