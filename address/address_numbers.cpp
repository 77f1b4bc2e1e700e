// The numeric pass: reads the prefix, port, zone and address at the positions
// the structural pass found. Every walk here stops at the end token at the
// latest, because the end token is neither a number nor a delimiter.
#include <cstring>

#include "address/address_byte_order.h"
#include "address/address_parse_state.h"

namespace {

constexpr bool IsSet(uint8_t position) noexcept { return position != kAddressNoToken; }

// The tokenizer lets only hexadecimal digits into number tokens: '0'..'9'
// keep their low nibble, letters of either case have bit 6 set and a low
// nibble of 1..6.
inline uint32_t DigitValue(char16_t c) noexcept {
    return static_cast<uint32_t>((c & 0xF) + 9 * (c >> 6));
}

// A digit not below the base, or a step that makes the value smaller, makes
// the number invalid.
bool ReadNumber(const AddressToken& token, uint32_t base, uint32_t* value) noexcept {
    uint32_t result = 0;
    for (size_t i = 0; i < token.length; ++i) {
        const uint32_t digit = DigitValue(token.text[i]);
        if (digit >= base) return false;
        const uint32_t stepped = result * base + digit;
        if (stepped < result) return false;
        result = stepped;
    }
    *value = result;
    return true;
}

bool ReadDecimal(const AddressToken& token, uint32_t max, uint32_t* value) noexcept {
    return ReadNumber(token, 10, value) && *value <= max;
}

// At most three decimal digits, so no step can overflow.
inline bool ReadOctet(const AddressToken& token, uint8_t* octet) noexcept {
    if (token.kind != kAddressTokenNumber || token.length > 3) return false;
    uint32_t value = 0;
    for (size_t i = 0; i < token.length; ++i) {
        const uint32_t digit = static_cast<uint32_t>(token.text[i] - u'0');
        if (digit > 9) return false;
        value = value * 10 + digit;
    }
    *octet = static_cast<uint8_t>(value);
    return value <= 255;
}

// At most four hexadecimal digits, so no step can overflow.
inline bool ReadGroup(const AddressToken& token, uint8_t* bytes) noexcept {
    if (token.length > 4) return false;
    uint32_t value = 0;
    for (size_t i = 0; i < token.length; ++i) value = value << 4 | DigitValue(token.text[i]);
    bytes[0] = static_cast<uint8_t>(value >> 8);
    bytes[1] = static_cast<uint8_t>(value);
    return true;
}

// Four decimal numbers of at most three characters joined by "." from token
// first on; leading zeros are decimal ("010" is 10). *after is the token
// after the fourth number, which must not continue the quad.
bool ReadDottedQuad(const AddressParseState& s, uint32_t first, uint8_t bytes[4],
                    uint32_t* after) noexcept {
    const AddressToken* token = &s.tokens[first];
    if (!ReadOctet(token[0], &bytes[0])) return false;
    for (int n = 1; n < 4; ++n) {
        if (token[1].kind != u'.' || !ReadOctet(token[2], &bytes[n])) return false;
        token += 2;
    }
    const uint32_t kind = token[1].kind;
    if (kind == u'.' || kind == kAddressTokenNumber) return false;
    *after = static_cast<uint32_t>(token + 1 - s.tokens);
    return true;
}

bool ReadPrefix(AddressParseState& s) noexcept {
    s.prefixLength = s.ipv4Form ? kSilIPv4MaxPrefix : s.ipv6Form ? kSilIPv6MaxPrefix : 0;
    if (!IsSet(s.prefixAt)) return true;
    if (s.tokens[s.prefixAt + 1].kind == u'.') {
        uint8_t bytes[4];
        uint32_t after;
        if (!ReadDottedQuad(s, s.prefixAt, bytes, &after)) return false;
        uint32_t mask = static_cast<uint32_t>(bytes[0]) << 24 | static_cast<uint32_t>(bytes[1]) << 16 |
                        static_cast<uint32_t>(bytes[2]) << 8 | bytes[3];
        // Only the trailing zero bits count, so a non-contiguous mask still
        // yields a length rather than an error.
        uint8_t length = mask == 0 ? 0 : 32;
        for (; mask != 0 && (mask & 1) == 0; mask >>= 1) --length;
        s.prefixLength = length;
        return true;
    }
    uint32_t value;
    if (!ReadDecimal(s.tokens[s.prefixAt], s.ipv4Form ? kSilIPv4MaxPrefix : kSilIPv6MaxPrefix,
                     &value)) {
        return false;
    }
    s.prefixLength = static_cast<uint8_t>(value);
    return true;
}

bool ReadIPv4Address(AddressParseState& s) noexcept {
    uint8_t bytes[4];
    uint32_t after;
    if (!IsSet(s.addressStart) || !ReadDottedQuad(s, s.addressStart, bytes, &after)) return false;
    s.address.family = kSilFamilyIPv4;
    std::memcpy(&s.address.v4.address, bytes, 4);
    return true;
}

bool ReadIPv6Address(AddressParseState& s) noexcept {
    if (!IsSet(s.addressStart) || !IsSet(s.addressEnd)) return false;
    const uint32_t end = s.addressEnd;
    uint8_t groups[16];
    uint32_t count = 0;  // groups stored
    uint32_t gap = 8;    // group index the "::" stands at; 8 for none
    uint32_t i = s.addressStart;
    while (i < end) {
        if (count == 8) return false;
        const AddressToken& token = s.tokens[i];
        if (token.kind == u':') {
            if (i == s.doubleColon) {
                if (s.tokens[i + 1].kind != u':') return false;
                gap = count;
                i += 2;
            } else {
                // A single leading colon, or a colon not followed by a group.
                if (i == s.addressStart || s.tokens[i + 1].kind != kAddressTokenNumber) return false;
                ++i;
            }
            continue;
        }
        if (token.kind != kAddressTokenNumber) return false;
        if (s.tokens[i + 1].kind == u'.') {
            if (gap < 8 ? count > 6 : count != 6) return false;
            uint32_t after;
            if (!ReadDottedQuad(s, i, &groups[count * 2], &after) || after != end) return false;
            count += 2;
            break;
        }
        if (!ReadGroup(token, &groups[count * 2])) return false;
        ++count;
        i += 1;
    }

    uint8_t* address = s.address.v6.address;
    if (gap < 8) {
        if (count >= 8) return false;
        const uint32_t before = gap * 2;
        const uint32_t zeros = (8 - count) * 2;
        std::memcpy(address, groups, before);
        std::memset(address + before, 0, zeros);
        std::memcpy(address + before + zeros, groups + before, count * 2 - before);
    } else {
        if (count != 8) return false;
        std::memcpy(address, groups, 16);
    }
    s.address.family = kSilFamilyIPv6;
    s.address.v6.scopeId = s.zone;
    return true;
}

}  // namespace

bool ReadAddressNumbers(AddressParseState* state) noexcept {
    AddressParseState& s = *state;
    std::memset(&s.address, 0, sizeof s.address);
    if (!ReadPrefix(s)) return false;

    uint32_t value = 0;
    if (IsSet(s.portAt) && !ReadDecimal(s.tokens[s.portAt], 65535, &value)) return false;
    s.port = HostToNetwork16(static_cast<uint16_t>(value));
    s.address.port = s.port;

    s.zone = 0;
    if (IsSet(s.zoneAt) && !ReadNumber(s.tokens[s.zoneAt], 10, &s.zone)) return false;

    if (s.ipv4Form) return ReadIPv4Address(s);
    if (s.ipv6Form) return ReadIPv6Address(s);
    return true;  // the port-only form has no address
}
