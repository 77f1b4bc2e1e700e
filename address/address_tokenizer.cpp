// Splits an address text into number and delimiter tokens, stopping at the
// first terminator. No character is read past the terminator or past length.
#include "address/address_chars.h"
#include "address/address_parse_state.h"

namespace {

constexpr uint8_t kDelimiter = kAddressCharDelimiter;
constexpr uint8_t kTerminator = kAddressCharTerminator;

bool IsExtraDelimiter(char16_t c, const char16_t* extra) noexcept {
    for (; *extra != 0; ++extra) {
        if (*extra == c) return true;
    }
    return false;
}

// Extra delimiters win over every other class (a caller may name a hex digit
// or "." as a terminator), so the scan with a set checks them first; the scan
// without one, the common case, skips that loop entirely. A zero-terminated
// text needs no bound check: the scan stops at its terminator.
template <bool kWithExtra, bool kBounded>
inline uint8_t InfoAt(const char16_t* text, size_t pos, size_t length,
                      const char16_t* extra) noexcept {
    if (kBounded && pos >= length) return kTerminator;
    const char16_t c = text[pos];
    if (kWithExtra && IsExtraDelimiter(c, extra)) return kTerminator;
    return AddressCharInfo(c);
}

template <bool kWithExtra, bool kBounded>
bool Tokenize(const char16_t* text, size_t length, const char16_t* extra,
              AddressParseState* state) noexcept {
    AddressToken* token = state->tokens;
    // The end token has to fit among the first 31 entries.
    AddressToken* const lastEntry = state->tokens + (kAddressMaxTokens - 1);
    size_t pos = 0;
    uint8_t info = InfoAt<kWithExtra, kBounded>(text, pos, length, extra);
    for (;;) {
        token->text = text + pos;
        if (info < kDelimiter) {
            const size_t start = pos;
            do {
                info = InfoAt<kWithExtra, kBounded>(text, ++pos, length, extra);
            } while (info < kDelimiter);
            token->kind = kAddressTokenNumber;
            token->length = pos - start;
        } else if (info == kDelimiter) {
            token->kind = text[pos];
            token->length = 1;
            info = InfoAt<kWithExtra, kBounded>(text, ++pos, length, extra);
        } else if (info == kTerminator) {
            token->kind = kAddressTokenEnd;
            token->length = 0;
            state->count = static_cast<uint32_t>(token - state->tokens) + 1;
            return true;
        } else {
            return false;
        }
        if (++token == lastEntry) return false;
    }
}

}  // namespace

bool TokenizeAddressText(const char16_t* text, size_t length, const char16_t* extraDelimiters,
                         AddressParseState* state) noexcept {
    const bool bounded = length != kAddressTextUnbounded;
    if (extraDelimiters != nullptr && extraDelimiters[0] != 0) {
        return bounded ? Tokenize<true, true>(text, length, extraDelimiters, state)
                       : Tokenize<true, false>(text, length, extraDelimiters, state);
    }
    return bounded ? Tokenize<false, true>(text, length, nullptr, state)
                   : Tokenize<false, false>(text, length, nullptr, state);
}
