// Entry points of the address text parser: run the passes and pack what they
// found into the caller's record. The record is written only once the whole
// text has been accepted, so a failed parse leaves it zeroed.
#include <cstring>

#include "address/address_parse_state.h"
#include "address/address_text.h"

uint32_t RunAddressParse(const char16_t* text, size_t length, const char16_t* extraDelimiters,
                         uint32_t flags, AddressParseState* state) noexcept {
    // Pair lists write a port-only primary as "/:5008" as well.
    if ((flags & AddressParseFlags::AcceptPortOnly) && length >= 2 && text[0] == u'/' &&
        text[1] == u':') {
        ++text;
        --length;
    }
    if (!TokenizeAddressText(text, length, extraDelimiters, state) ||
        !ScanAddressStructure(state, flags) || !CheckAddressParseFlags(state, flags) ||
        !ReadAddressNumbers(state)) {
        return kAddressTextInvalid;
    }
    return kAddressTextOk;
}

void PackParsedAddress(const AddressParseState& state, SilAddressRecord* record) noexcept {
    *record = state.address;
    if (record->family == kSilFamilyIPv4) record->v4.prefixLength = state.prefixLength;
    if (record->family == kSilFamilyIPv6) record->v6.prefixLength = state.prefixLength;
}

uint32_t ParseAddressText(const char16_t* text, size_t length, SilAddressRecord* record,
                          const char16_t* extraDelimiters, uint32_t flags) noexcept {
    if (record == nullptr) return kAddressTextInvalidArgument;
    std::memset(record, 0, sizeof *record);
    if (text == nullptr) return kAddressTextInvalidArgument;
    if ((extraDelimiters == nullptr || extraDelimiters[0] == 0) &&
        ParsePlainAddressText(text, length, flags, record)) {
        return kAddressTextOk;
    }

    AddressParseState state;
    const uint32_t result = RunAddressParse(text, length, extraDelimiters, flags, &state);
    if (result != kAddressTextOk) return result;
    // The port alone is no address.
    if (state.address.family == kSilFamilyEmpty) return kAddressTextInvalid;

    PackParsedAddress(state, record);
    return kAddressTextOk;
}

uint32_t ParseAddressText(const char16_t* text, SilAddressRecord* record,
                          const char16_t* extraDelimiters, uint32_t flags) noexcept {
    return ParseAddressText(text, kAddressTextUnbounded, record, extraDelimiters, flags);
}

uint32_t ParseDriverAddressText(const char16_t* text, DriverAddressRecord* record,
                                const char16_t* extraDelimiters, uint32_t flags) noexcept {
    if (record == nullptr) return kAddressTextInvalidArgument;
    std::memset(record, 0, sizeof *record);
    SilAddressRecord parsed;
    const uint32_t result = ParseAddressText(text, &parsed, extraDelimiters,
                                             flags | AddressParseFlags::RejectPrefix);
    if (result != kAddressTextOk) return result;
    std::memcpy(record, &parsed, parsed.family == kSilFamilyIPv4 ? 8 : sizeof *record);
    return kAddressTextOk;
}
