// Internal to the address formatters: the fixed buffer one address text is
// built in, and the output protocol every format shares.
#pragma once

#include <cstddef>
#include <cstdint>

#include "address/address_text.h"
#include "core/hex_text.h"

class AddressTextBuilder {
public:
    // No bounds checks: the longest text any address record can give (a
    // bracketed ISATAP address with dotted tail, ten-digit zone, prefix and
    // five-digit port) is 67 units, well inside the buffer.
    void Put(char16_t c) noexcept { text_[length_++] = c; }

    void PutDecimal(uint32_t value) noexcept {
        char16_t digits[10];
        int count = 0;
        do {
            digits[count++] = static_cast<char16_t>(u'0' + value % 10);
            value /= 10;
        } while (value != 0);
        while (count > 0) Put(digits[--count]);
    }

    // Lowercase, without leading zeros.
    void PutHex(uint16_t value) noexcept {
        length_ = uint32_t(qlclapi::PutHex(text_ + length_, value, qlclapi::HexDigitCount(value), qlclapi::HexCase::Lower) -
                           text_);
    }

    void PutDottedQuad(const uint8_t bytes[4]) noexcept {
        for (int i = 0; i < 4; ++i) {
            if (i > 0) Put(u'.');
            PutByte(bytes[i]);
        }
    }

    const char16_t* Text() const noexcept { return text_; }
    uint32_t Length() const noexcept { return length_; }

private:
    void PutByte(uint8_t value) noexcept {
        if (value >= 100) Put(static_cast<char16_t>(u'0' + value / 100));
        if (value >= 10) Put(static_cast<char16_t>(u'0' + value / 10 % 10));
        Put(static_cast<char16_t>(u'0' + value % 10));
    }

    char16_t text_[kAddressTextCapacity];
    uint32_t length_ = 0;
};

// The output protocol for a text of length units: the needed length is
// length plus 1 and is reported through needed when given; when it exceeds
// capacity the result is kAddressTextBufferTooSmall. Otherwise kAddressTextOk,
// and the caller copies the text and its terminator unless its buffer is
// null.
inline uint32_t ReserveAddressTextOutput(uint64_t length, uint32_t capacity,
                                         uint32_t* needed) noexcept {
    if (length >= UINT32_MAX) return kAddressTextInvalidArgument;
    const uint32_t total = static_cast<uint32_t>(length) + 1;
    if (needed != nullptr) *needed = total;
    return total > capacity ? kAddressTextBufferTooSmall : kAddressTextOk;
}

// Builds the text of one record: empty for family 0, kAddressTextInvalidArgument
// for a family other than IPv4 or IPv6 or a prefix too long to be written.
uint32_t BuildAddressText(const SilAddressRecord& record, uint32_t flags,
                          AddressTextBuilder& out) noexcept;
