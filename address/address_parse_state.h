// Internal to the address text parser: the token table and the positions and
// values its passes fill in. The parse runs in three passes over this state
// (tokenizer, structural pass, numeric pass) so that each pass can look
// ahead at the tokens after the current one without re-scanning text.
#pragma once

#include <cstddef>
#include <cstdint>

#include "address/sil_address.h"

// Token kinds besides the delimiter characters ".:/%[]" themselves.
constexpr uint32_t kAddressTokenEnd = 0;
constexpr uint32_t kAddressTokenNumber = 1;

struct AddressToken {
    uint32_t kind;
    const char16_t* text;  // first character; for the end token, the terminator
    size_t length;         // in UTF-16 units
};

// The end token must be stored among the first 31 entries, so a text holds at
// most 30 tokens before its end; every valid form needs at most 27.
constexpr uint32_t kAddressMaxTokens = 32;
constexpr uint8_t kAddressNoToken = 0xFF;

struct AddressParseState {
    AddressToken tokens[kAddressMaxTokens];
    uint32_t count;  // tokens stored, the end token included

    // Filled by the structural pass. Positions are token indexes or
    // kAddressNoToken.
    bool ipv4Form;
    bool ipv6Form;
    bool portOnlyForm;  // ":5008" or ":" alone, only with AcceptPortOnly
    uint8_t addressStart;
    uint8_t doubleColon;  // the first colon of "::"
    uint8_t addressEnd;
    uint8_t zoneAt;
    uint8_t portAt;
    uint8_t prefixAt;

    // Filled by the numeric pass.
    uint8_t prefixLength;
    uint16_t port;  // network order
    uint32_t zone;
    SilAddressRecord address;  // family, port, address and zone; family 0 for the port-only form
};

// Each pass returns false when the text is not a valid address text.
// length bounds the scan even where no terminator comes first.
bool TokenizeAddressText(const char16_t* text, size_t length, const char16_t* extraDelimiters,
                         AddressParseState* state) noexcept;
bool ScanAddressStructure(AddressParseState* state, uint32_t flags) noexcept;
bool CheckAddressParseFlags(const AddressParseState* state, uint32_t flags) noexcept;
bool ReadAddressNumbers(AddressParseState* state) noexcept;

// All passes in order, preparation included. On success state->address holds
// the address (family 0 for the port-only form) and state->prefixLength the
// prefix; the result is kAddressTextOk or kAddressTextInvalid.
uint32_t RunAddressParse(const char16_t* text, size_t length, const char16_t* extraDelimiters,
                         uint32_t flags, AddressParseState* state) noexcept;

// The shortcut for bare addresses, taken before the passes when there are no
// extra delimiters; record must be zeroed. true: the full parse would accept
// text and give *record. false: nothing is known, run the full parse (record
// is left as it was).
bool ParsePlainAddressText(const char16_t* text, size_t length, uint32_t flags,
                           SilAddressRecord* record) noexcept;

// Copies a successful parse into record, the prefix length at the family's
// offset; the port-only form gives family 0 with the port.
void PackParsedAddress(const AddressParseState& state, SilAddressRecord* record) noexcept;

// For callers that hand a zero-terminated text: no length bound.
constexpr size_t kAddressTextUnbounded = ~static_cast<size_t>(0);
