// Internal to the address parser: one byte per ASCII character, holding the
// digit value (0..15) of a hexadecimal digit and otherwise the character's
// class. Characters from 128 on are all invalid.
#pragma once

#include <cstdint>
#include <initializer_list>

constexpr uint8_t kAddressCharDelimiter = 0x10;   // . : / % [ ]
constexpr uint8_t kAddressCharTerminator = 0x20;  // the terminating zero , ;
constexpr uint8_t kAddressCharInvalid = 0x40;

struct AddressCharTable {
    uint8_t info[128];
    constexpr AddressCharTable() : info() {
        for (uint8_t& entry : info) entry = kAddressCharInvalid;
        for (int d = 0; d < 10; ++d) info['0' + d] = static_cast<uint8_t>(d);
        for (int d = 0; d < 6; ++d) {
            info['a' + d] = static_cast<uint8_t>(10 + d);
            info['A' + d] = static_cast<uint8_t>(10 + d);
        }
        for (char16_t c : {u'.', u':', u'/', u'%', u'[', u']'}) info[c] = kAddressCharDelimiter;
        for (char16_t c : {u'\0', u',', u';'}) info[c] = kAddressCharTerminator;
    }
};
inline constexpr AddressCharTable kAddressChars;

inline uint8_t AddressCharInfo(char16_t c) noexcept {
    return c < 128 ? kAddressChars.info[c] : kAddressCharInvalid;
}
