// A shortcut for the forms most texts have: a bare dotted quad, or bare IPv6
// groups with "::" and a dotted tail, ended by the end of the text, "," or
// ";". It reads characters directly instead of building the token table.
//
// It only ever accepts: any text it is not sure of, valid or not, goes to the
// full parse, so it cannot reject what the full parse accepts. Everything it
// accepts, the full parse accepts with the same record (the parser fuzzer
// checks this on every input).
#include <cstring>

#include "address/address_chars.h"
#include "address/address_parse_state.h"
#include "address/address_text.h"

namespace {

// Characters are read through one cursor kept in a local; past the bound the
// text reads as a zero, which ends it as "," and ";" do. A zero-terminated
// text needs no bound check: every read stops at or before its terminator.
template <bool kBounded>
struct Cursor {
    const char16_t* text;
    size_t length;
    size_t pos;

    char16_t At(size_t i) const noexcept { return !kBounded || i < length ? text[i] : u'\0'; }
    char16_t Peek() const noexcept { return At(pos); }
    bool AtEnd() const noexcept {
        const char16_t c = Peek();
        return c == u'\0' || c == u',' || c == u';';
    }
    bool Take(char16_t c) noexcept {
        if (Peek() != c) return false;
        ++pos;
        return true;
    }
    uint32_t DecimalAt(size_t i) const noexcept { return static_cast<uint32_t>(At(i) - u'0'); }
};

// One to three decimal digits, at most 255, not followed by a fourth digit.
template <typename Cursor>
inline bool ReadOctet(Cursor& in, uint8_t* octet) noexcept {
    uint32_t value = in.DecimalAt(in.pos);
    if (value > 9) return false;
    uint32_t digit = in.DecimalAt(in.pos + 1);
    size_t digits = 1;
    if (digit <= 9) {
        value = value * 10 + digit;
        digit = in.DecimalAt(in.pos + 2);
        digits = 2;
        if (digit <= 9) {
            value = value * 10 + digit;
            if (value > 255 || in.DecimalAt(in.pos + 3) <= 9) return false;
            digits = 3;
        }
    }
    in.pos += digits;
    *octet = static_cast<uint8_t>(value);
    return true;
}

template <typename Cursor>
inline bool ReadDottedQuad(Cursor& in, uint8_t bytes[4]) noexcept {
    return ReadOctet(in, &bytes[0]) && in.Take(u'.') && ReadOctet(in, &bytes[1]) &&
           in.Take(u'.') && ReadOctet(in, &bytes[2]) && in.Take(u'.') &&
           ReadOctet(in, &bytes[3]) && in.AtEnd();
}

// One to four hexadecimal digits, not followed by a fifth.
template <typename Cursor>
inline bool ReadGroup(Cursor& in, uint8_t bytes[2]) noexcept {
    uint32_t value = 0;
    const size_t start = in.pos;
    for (uint32_t d; (d = AddressCharInfo(in.Peek())) < 16; ++in.pos) {
        if (in.pos - start == 4) return false;
        value = value << 4 | d;
    }
    bytes[0] = static_cast<uint8_t>(value >> 8);
    bytes[1] = static_cast<uint8_t>(value);
    return in.pos != start;
}

template <typename Cursor>
bool ReadPlainIPv6(Cursor& in, uint8_t address[16]) noexcept {
    uint8_t groups[16];
    uint32_t count = 0;
    uint32_t gap = 8;  // 8: no "::"
    bool afterGap = false;
    if (in.Take(u':')) {
        if (!in.Take(u':')) return false;
        gap = 0;
        afterGap = true;
    }
    for (;;) {
        if (afterGap && in.AtEnd()) break;
        if (count == 8) return false;
        const size_t start = in.pos;
        if (!ReadGroup(in, &groups[2 * count])) return false;
        if (in.Peek() == u'.') {
            in.pos = start;
            if ((gap < 8 ? count > 6 : count != 6) || !ReadDottedQuad(in, &groups[2 * count])) {
                return false;
            }
            count += 2;
            break;
        }
        ++count;
        if (in.AtEnd()) break;
        if (!in.Take(u':')) return false;
        afterGap = in.Take(u':');
        if (afterGap) {
            // A second "::", or one after eight groups.
            if (gap < 8 || count == 8) return false;
            gap = count;
        }
    }
    if (gap < 8 ? count >= 8 : count != 8) return false;
    // The groups after "::" move to the end; the gap stays zero, as the
    // caller's record already is.
    if (gap == 8) {
        std::memcpy(address, groups, 16);
    } else {
        const uint32_t before = gap * 2;
        const uint32_t after = count * 2 - before;
        std::memcpy(address, groups, before);
        std::memcpy(address + 16 - after, groups + before, after);
    }
    return true;
}

template <bool kBounded>
bool ParsePlain(const char16_t* text, size_t length, SilAddressRecord* record) noexcept {
    Cursor<kBounded> in{text, length, 0};
    uint8_t bytes[4];
    if (ReadDottedQuad(in, bytes)) {
        record->family = kSilFamilyIPv4;
        std::memcpy(&record->v4.address, bytes, 4);
        record->v4.prefixLength = kSilIPv4MaxPrefix;
        return true;
    }
    in.pos = 0;
    if (ReadPlainIPv6(in, record->v6.address)) {
        record->family = kSilFamilyIPv6;
        record->v6.prefixLength = kSilIPv6MaxPrefix;
        return true;
    }
    return false;
}

}  // namespace

bool ParsePlainAddressText(const char16_t* text, size_t length, uint32_t flags,
                           SilAddressRecord* record) noexcept {
    using namespace AddressParseFlags;
    // Flags that could turn a plain address down are left to the full parse.
    if (flags & (RejectIPv4 | RejectIPv6 | RequirePrefix | RequirePort)) return false;
    return length == kAddressTextUnbounded ? ParsePlain<false>(text, length, record)
                                           : ParsePlain<true>(text, length, record);
}
