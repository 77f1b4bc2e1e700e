// The parse of plain addresses (no prefix, zone or brackets) against the C
// library's inet_pton over random spellings. Three differences are taken
// apart before the C library sees a text: leading zeros in a dotted number
// (decimal here, refused there) are dropped, dots before an IPv4 address are
// skipped (its first number starts it), and an IPv4 address with ":port" is
// judged without its port. The written text is held to literal forms and the
// round trip elsewhere.
#include <gtest/gtest.h>

#include <cctype>
#include <random>
#include <string>

#include "address_test_support.h"

namespace {

struct Plain {
    bool ok = false;
    uint16_t family = 0;
    uint8_t bytes[16] = {};
    uint16_t port = 0;            // host order
    bool defaults = true;         // prefix, zone and flow info as the family's defaults
};

Plain Ours(const std::string& text, const char16_t* extraDelimiters) {
    Plain p;
    SilAddressRecord r;
    if (ParseAddressText(U16(text).c_str(), &r, extraDelimiters, 0) != kAddressTextOk) return p;
    p.ok = true;
    p.family = r.family;
    p.port = ntohs(r.port);
    if (r.family == kSilFamilyIPv4) {
        std::memcpy(p.bytes, &r.v4.address, 4);
        p.defaults = r.v4.prefixLength == 32;
    } else {
        std::memcpy(p.bytes, r.v6.address, 16);
        p.defaults = r.v6.prefixLength == 128 && r.v6.scopeId == 0 && r.v6.flowInfo == 0;
    }
    return p;
}

// inet_pton's answer once the leading zeros of every dotted number of at most
// three digits are dropped ("010.1.2.3" is 10.1.2.3 here).
Plain Theirs(const std::string& text) {
    std::string normal;
    for (size_t i = 0; i < text.size();) {
        size_t end = i;
        while (end < text.size() && std::isxdigit(static_cast<unsigned char>(text[end]))) ++end;
        if (end == i) {
            normal += text[i++];
            continue;
        }
        std::string run = text.substr(i, end - i);
        const bool dotted = (i > 0 && text[i - 1] == '.') || (end < text.size() && text[end] == '.');
        const bool decimal = run.find_first_not_of("0123456789") == std::string::npos;
        if (dotted && decimal && run.size() <= 3) run = std::to_string(std::stoi(run));
        normal += run;
        i = end;
    }
    Plain p;
    if (inet_pton(AF_INET, normal.c_str(), p.bytes) == 1) {
        p.ok = true;
        p.family = kSilFamilyIPv4;
    } else if (inet_pton(AF_INET6, normal.c_str(), p.bytes) == 1) {
        p.ok = true;
        p.family = kSilFamilyIPv6;
    }
    return p;
}

// "a.b.c.d:port": the address as inet_pton reads it, the port in decimal.
Plain Expected(const std::string& text) {
    const size_t first = text.find_first_not_of('.');
    if (first != 0 && first != std::string::npos) {
        Plain p = Expected(text.substr(first));
        p.ok = p.ok && p.family == kSilFamilyIPv4;
        return p;
    }
    const size_t colon = text.find(':');
    if (colon == std::string::npos || text.rfind(':') != colon || text.find('.') > colon) return Theirs(text);
    Plain p = Theirs(text.substr(0, colon));
    const std::string port = text.substr(colon + 1);
    p.ok = p.ok && p.family == kSilFamilyIPv4 && !port.empty() && port.size() < 10 &&
           port.find_first_not_of("0123456789") == std::string::npos && std::stoul(port) <= 65535;
    if (p.ok) p.port = uint16_t(std::stoul(port));
    return p;
}

// Through the shortcut for bare addresses and, with an extra delimiter that
// never occurs, through the full parse.
void ExpectSameAnswer(const std::string& text) {
    const Plain theirs = Expected(text);
    for (const char16_t* extra : {static_cast<const char16_t*>(nullptr), u"\x01"}) {
        SCOPED_TRACE(text + (extra ? " (full parse)" : ""));
        const Plain ours = Ours(text, extra);
        ASSERT_EQ(ours.ok, theirs.ok);
        if (!ours.ok) continue;
        EXPECT_TRUE(ours.defaults);
        EXPECT_EQ(ours.port, theirs.port);
        EXPECT_EQ(ours.family, theirs.family);
        EXPECT_EQ(std::memcmp(ours.bytes, theirs.bytes, 16), 0);
    }
}

// Random addresses in random spellings (case, leading zeros, any "::", a
// dotted tail), half of them then damaged by an edit or two.
class SpellingSource {
public:
    explicit SpellingSource(uint32_t seed) : random_(seed) {}

    std::string Next() {
        std::string text = Below(4) == 0 ? IPv4() : IPv6();
        for (uint32_t edits = Below(2) ? 0 : 1 + Below(2); edits > 0 && !text.empty(); --edits) {
            static const char kAlphabet[] = "0123456789abcdefABCDEF:.";
            const size_t at = Below(uint32_t(text.size()));
            const char c = kAlphabet[Below(sizeof kAlphabet - 1)];
            switch (Below(3)) {
            case 0: text.erase(at, 1); break;
            case 1: text.insert(text.begin() + at, c); break;
            default: text[at] = c; break;
            }
        }
        return text;
    }

private:
    uint32_t Below(uint32_t n) { return uint32_t(random_() % n); }

    std::string Octet() {
        std::string digits = std::to_string(Below(3) ? Below(256) : Below(10));
        while (Below(5) == 0 && digits.size() < 3) digits.insert(0, "0");
        return digits;
    }
    std::string IPv4() { return Octet() + "." + Octet() + "." + Octet() + "." + Octet(); }

    std::string Group(uint16_t value) {
        char text[8];
        std::snprintf(text, sizeof text, Below(2) ? "%x" : "%X", value);
        std::string digits = text;
        while (Below(4) == 0 && digits.size() < 4) digits.insert(0, "0");
        return digits;
    }

    std::string IPv6() {
        uint16_t groups[8];
        for (uint16_t& g : groups) g = Below(2) ? 0 : Below(3) ? uint16_t(random_()) : uint16_t(Below(3));
        const bool tail = Below(3) == 0;
        const int count = tail ? 6 : 8;
        // Compress any run of zero groups, or none.
        int runStart = -1, runEnd = -1;
        for (int tries = 0; tries < 4 && runStart < 0; ++tries) {
            const int s = int(Below(uint32_t(count)));
            int e = s;
            while (e < count && groups[e] == 0) ++e;
            if (e > s && Below(4)) runStart = s, runEnd = e;
        }
        std::string text;
        for (int g = 0; g < count; ++g) {
            if (g == runStart) {
                text += "::";
                g = runEnd - 1;
                continue;
            }
            if (!text.empty() && text.back() != ':') text += ':';
            text += Group(groups[g]);
        }
        if (tail) {
            if (!text.empty() && text.back() != ':') text += ':';
            text += IPv4();
        }
        return text;
    }

    std::mt19937 random_;
};

TEST(AddressInetDiff, ParseOfRandomSpellings) {
    SpellingSource source(20240613);
    int accepted = 0;
    for (int i = 0; i < 20000; ++i) {
        const std::string text = source.Next();
        ExpectSameAnswer(text);
        if (HasFatalFailure()) return;
        accepted += Expected(text).ok;
    }
    EXPECT_GT(accepted, 8000);
    EXPECT_LT(accepted, 16000);
}

}  // namespace
