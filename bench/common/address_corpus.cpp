#include "address_corpus.h"

#include <cstdint>
#include <cstdio>
#include <random>

namespace bench {

namespace {

// RFC 5952 text: the longest run of two or more zero groups becomes "::";
// ::ffff:a.b.c.d and ::a.b.c.d keep a dotted tail.
std::string IPv6Text(const unsigned char a[16]) {
    uint16_t groups[8];
    for (int i = 0; i < 8; ++i) groups[i] = uint16_t(a[2 * i] << 8 | a[2 * i + 1]);
    int bestStart = -1, bestLength = 0;
    for (int i = 0; i < 8;) {
        int j = i;
        while (j < 8 && groups[j] == 0) ++j;
        if (j - i > bestLength && j - i >= 2) bestStart = i, bestLength = j - i;
        i = j == i ? i + 1 : j;
    }
    const bool dottedTail = bestStart == 0 && (bestLength == 6 || (bestLength == 5 && groups[5] == 0xFFFF));
    std::string text;
    char piece[16];
    const int groupCount = dottedTail ? 6 : 8;
    for (int i = 0; i < groupCount;) {
        if (i == bestStart) {
            text += "::";
            i += bestLength;
            continue;
        }
        if (!text.empty() && text.back() != ':') text += ":";
        std::snprintf(piece, sizeof piece, "%x", groups[i]);
        text += piece;
        ++i;
    }
    if (dottedTail) {
        if (text.back() != ':') text += ":";
        std::snprintf(piece, sizeof piece, "%u.%u.%u.%u", a[12], a[13], a[14], a[15]);
        text += piece;
    }
    return text;
}

// Full addresses, documentation prefix, link-local, IPv4-mapped, and
// addresses with a long zero run.
std::string RandomIPv6(std::mt19937& random, int shape) {
    unsigned char a[16] = {};
    switch (shape % 5) {
    case 0:
        for (unsigned char& b : a) b = static_cast<unsigned char>(random());
        break;
    case 1:
        a[0] = 0x20, a[1] = 0x01, a[2] = 0x0d, a[3] = 0xb8;
        for (int i = 12; i < 16; ++i) a[i] = static_cast<unsigned char>(random());
        break;
    case 2:
        a[0] = 0xfe, a[1] = 0x80;
        for (int i = 8; i < 16; ++i) a[i] = static_cast<unsigned char>(random());
        break;
    case 3:
        a[10] = a[11] = 0xff;
        for (int i = 12; i < 16; ++i) a[i] = static_cast<unsigned char>(random());
        break;
    default:
        for (int i = 0; i < 8; ++i) a[i] = static_cast<unsigned char>(random());
        a[15] = static_cast<unsigned char>(random() % 16);
        break;
    }
    return IPv6Text(a);
}

std::string RandomIPv4(std::mt19937& random) {
    const uint32_t value = static_cast<uint32_t>(random());
    char text[16];
    std::snprintf(text, sizeof text, "%u.%u.%u.%u", value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF,
                  value >> 24);
    return text;
}

}  // namespace

std::vector<std::string> AddressCorpusTexts(bool ipv6) {
    std::mt19937 random(12345);
    std::vector<std::string> texts;
    for (int i = 0; i < kCorpusSize; ++i) texts.push_back(ipv6 ? RandomIPv6(random, i) : RandomIPv4(random));
    return texts;
}

std::vector<std::string> WithPorts(const std::vector<std::string>& texts, bool ipv6) {
    std::mt19937 random(54321);
    std::vector<std::string> ported;
    for (const std::string& text : texts) {
        const std::string port = ":" + std::to_string(1 + random() % 65535);
        ported.push_back(ipv6 ? "[" + text + "]" + port : text + port);
    }
    return ported;
}

}  // namespace bench
