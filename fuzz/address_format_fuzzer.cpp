// Fuzzes the address formatter on arbitrary 32-byte records and flags.
//
// Input: 32 record bytes, 4 flag bytes (little-endian), 1 capacity byte; a
// shorter input is padded with zeros. The capacity byte's top bit asks for a
// null buffer, the rest is the capacity in UTF-16 units.
//
// Checks: nothing is written past the capacity (the buffer is an allocation
// of exactly that size) nor at all when the result is not success; the needed
// length is the text length plus one whenever reported; the result does not
// depend on the capacity except through the size rule; a formatted record
// parses back to what text can carry, which is written as the same text.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "address/address_text.h"
#include "address/sil_address.h"
#include "fuzz/address_roundtrip_expect.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

size_t TextLength(const char16_t* text) {
    size_t length = 0;
    while (text[length] != 0) ++length;
    return length;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    uint8_t input[37] = {};
    std::memcpy(input, data, size < sizeof input ? size : sizeof input);
    SilAddressRecord record;
    std::memcpy(&record, input, sizeof record);
    const uint32_t flags = static_cast<uint32_t>(input[32] | input[33] << 8 | input[34] << 16) |
                           static_cast<uint32_t>(input[35]) << 24;
    const bool nullBuffer = (input[36] & 0x80) != 0;
    const uint32_t capacity = nullBuffer ? 0 : input[36] & 0x7F;

    // The reference run, with room for any text.
    char16_t full[kAddressTextCapacity];
    uint32_t fullNeeded = 0;
    const uint32_t fullResult =
        FormatAddressText(&record, full, kAddressTextCapacity, &fullNeeded, flags);
    const roundtrip::Expectation expected = roundtrip::Expect(record, flags);
    Require(fullResult == expected.formatResult);
    if (fullResult == kAddressTextOk) Require(fullNeeded == TextLength(full) + 1);

    char16_t* buffer = nullBuffer ? nullptr : new char16_t[capacity];
    for (uint32_t i = 0; i < capacity; ++i) buffer[i] = 0xBEEF;
    uint32_t needed = 12345;
    const uint32_t result = FormatAddressText(&record, buffer, capacity, &needed, flags);
    size_t written = 0;
    if (fullResult != kAddressTextOk) {
        Require(result == fullResult);
    } else if (record.family == kSilFamilyEmpty) {
        // The empty text needs no room to succeed.
        Require(result == kAddressTextOk && needed == 1);
        written = capacity != 0 ? 1 : 0;
    } else {
        Require(needed == fullNeeded);
        Require(result == (fullNeeded <= capacity ? kAddressTextOk : kAddressTextBufferTooSmall));
        if (result == kAddressTextOk && buffer != nullptr) written = fullNeeded;
    }
    if (written != 0) Require(std::memcmp(buffer, full, written * sizeof(char16_t)) == 0);
    for (uint32_t i = static_cast<uint32_t>(written); i < capacity; ++i) Require(buffer[i] == 0xBEEF);
    delete[] buffer;

    if (expected.parses) {
        SilAddressRecord back;
        Require(ParseAddressText(full, &back, nullptr, 0) == kAddressTextOk);
        Require(std::memcmp(&back, &expected.record, sizeof back) == 0);
        // What came back is written as the same text.
        char16_t again[kAddressTextCapacity];
        Require(FormatAddressText(&back, again, kAddressTextCapacity, nullptr, flags) == kAddressTextOk);
        Require(std::memcmp(again, full, (TextLength(full) + 1) * sizeof(char16_t)) == 0);
    }

    // The driver form only reads its 28 bytes and never fails on the family.
    DriverAddressRecord driver;
    std::memcpy(&driver, &record, sizeof driver);
    char16_t driverText[kAddressTextCapacity];
    const uint32_t driverResult =
        FormatDriverAddressText(&driver, driverText, kAddressTextCapacity, nullptr, flags);
    Require(driverResult == kAddressTextOk);

    // ToText: the narrow string is the wide one cut to bytes.
    const CSilAddress value(&record);
    SilAddressText text;
    value.ToText(&text, flags);
    for (size_t i = 0;; ++i) {
        Require(text.narrow[i] == static_cast<char>(text.wide[i] & 0xFF));
        if (text.wide[i] == 0) break;
    }
    return 0;
}
