// Splits an address text into number and delimiter tokens, stopping at the
// first terminator. No character is read past the terminator or past length.
#include <initializer_list>

#include "address/address_parse_state.h"

namespace {

constexpr uint8_t kInvalid = 0;
constexpr uint8_t kHexDigit = 1;
constexpr uint8_t kDelimiter = 2;
constexpr uint8_t kTerminator = 3;

struct CharClassTable {
    uint8_t classes[128];
    constexpr CharClassTable() : classes() {
        for (char16_t c = '0'; c <= '9'; ++c) classes[c] = kHexDigit;
        for (char16_t c = 'a'; c <= 'f'; ++c) classes[c] = kHexDigit;
        for (char16_t c = 'A'; c <= 'F'; ++c) classes[c] = kHexDigit;
        for (char16_t c : {u'.', u':', u'/', u'%', u'[', u']'}) classes[c] = kDelimiter;
        classes[0] = kTerminator;
        classes[u','] = kTerminator;
        classes[u';'] = kTerminator;
    }
};
constexpr CharClassTable kClasses;

bool IsExtraDelimiter(char16_t c, const char16_t* extra) noexcept {
    for (; *extra != 0; ++extra) {
        if (*extra == c) return true;
    }
    return false;
}

// Extra delimiters win over every other class (a caller may name a hex digit
// or "." as a terminator), so the scan with a set checks them first; the scan
// without one, the common case, skips that loop entirely.
template <bool kWithExtra>
inline uint8_t ClassAt(const char16_t* text, size_t pos, size_t length,
                       const char16_t* extra) noexcept {
    if (pos >= length) return kTerminator;
    const char16_t c = text[pos];
    if (kWithExtra && IsExtraDelimiter(c, extra)) return kTerminator;
    return c < 128 ? kClasses.classes[c] : kInvalid;
}

template <bool kWithExtra>
bool Tokenize(const char16_t* text, size_t length, const char16_t* extra,
              AddressParseState* state) noexcept {
    size_t pos = 0;
    uint32_t count = 0;
    for (;;) {
        AddressToken& token = state->tokens[count];
        token.text = text + pos;
        const uint8_t cls = ClassAt<kWithExtra>(text, pos, length, extra);
        if (cls == kTerminator) {
            token.kind = kAddressTokenEnd;
            token.length = 0;
            state->count = count + 1;
            return true;
        }
        if (cls == kDelimiter) {
            token.kind = text[pos];
            token.length = 1;
            ++pos;
        } else if (cls == kHexDigit) {
            const size_t start = pos;
            while (ClassAt<kWithExtra>(text, ++pos, length, extra) == kHexDigit) {
            }
            token.kind = kAddressTokenNumber;
            token.length = pos - start;
        } else {
            return false;
        }
        // The end token has to fit among the first 31 entries.
        if (++count == kAddressMaxTokens - 1) return false;
    }
}

}  // namespace

bool TokenizeAddressText(const char16_t* text, size_t length, const char16_t* extraDelimiters,
                         AddressParseState* state) noexcept {
    if (extraDelimiters != nullptr && extraDelimiters[0] != 0) {
        return Tokenize<true>(text, length, extraDelimiters, state);
    }
    return Tokenize<false>(text, length, nullptr, state);
}
