// Lists of address texts: entries separated by ";" or by a character of the
// caller's extra delimiters; within an entry a "," separates a primary from a
// secondary address. Unlike single addresses, lists allocate: each parse
// hands the caller one block, which it frees with the matching Free call.
#pragma once

#include <cstddef>
#include <cstdint>

#include "address/address_text.h"
#include "address/sil_address.h"

// The ";" before the first extra delimiter (or the end), plus one when any
// character precedes that point: "a;b" has 2 entries, "a;" 2 as well, "" none.
uint32_t CountAddressListEntries(const char16_t* text, const char16_t* extraDelimiters) noexcept;

// Parses the primary address of each entry with ParseAddressText into a new
// array. On the first entry that fails, the block is freed, *list is null and
// that entry's code is returned; kAddressTextNoMemory when the block cannot be
// allocated. AcceptHostName has no effect here (an array has no room for a
// name).
uint32_t ParseAddressList(const char16_t* text, const char16_t* extraDelimiters, uint32_t flags,
                          SilAddressArray** list) noexcept;

// Each record formatted with flags, joined by ";"; a family-0 record gives an
// empty entry. The output protocol of FormatAddressText, with the needed
// length covering the whole list.
uint32_t FormatAddressList(const SilAddressArray* list, char16_t* buffer, uint32_t capacity,
                           uint32_t* needed, uint32_t flags) noexcept;

// ---- Pair lists: "primary,secondary;primary,secondary" --------------------

// Room for the longest DNS name (253 characters) and its terminator.
constexpr uint32_t kEndpointHostNameUnits = 256;

struct EndpointPair {
    // Family 0 when the entry starts with "," or ";", when the primary is a
    // host name, and for the port-only form ":5008" (then the port is set).
    SilAddressRecord primary;
    // Family 0 when the entry has no "," or nothing after it.
    SilAddressRecord secondary;
    // Non-empty only when AcceptHostName stored a primary that is no address.
    char16_t primaryHostName[kEndpointHostNameUnits];
};

struct EndpointPairList {
    uint32_t count;
    // count EndpointPairs follow, at offset 4.
};

inline EndpointPair* EndpointPairs(EndpointPairList* list) noexcept {
    return reinterpret_cast<EndpointPair*>(reinterpret_cast<unsigned char*>(list) + 4);
}
inline const EndpointPair* EndpointPairs(const EndpointPairList* list) noexcept {
    return reinterpret_cast<const EndpointPair*>(reinterpret_cast<const unsigned char*>(list) + 4);
}

// Primaries are parsed with AcceptPortOnly added; with AcceptHostName a
// primary that is no address (and fits kEndpointHostNameUnits) is kept as a
// host name. Secondaries are parsed with the caller's flags. Failure and
// ownership as for ParseAddressList.
uint32_t ParseEndpointPairList(const char16_t* text, const char16_t* extraDelimiters,
                               uint32_t flags, EndpointPairList** list) noexcept;

// Writes the list back in the form ParseEndpointPairList reads: the port-only
// primary as ":port", a secondary after ",", entries joined by ";".
uint32_t FormatEndpointPairList(const EndpointPairList* list, char16_t* buffer, uint32_t capacity,
                                uint32_t* needed, uint32_t flags) noexcept;

void FreeEndpointPairList(EndpointPairList* list) noexcept;
