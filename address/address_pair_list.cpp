// Endpoint pair lists: "primary,secondary;..." where a primary may also be a
// bare port (":5008"), empty (",10.0.0.2"), or, on request, a host name.
#include <cstdlib>
#include <cstring>

#include "address/address_byte_order.h"
#include "address/address_list.h"
#include "address/address_list_text.h"
#include "address/address_parse_state.h"

namespace {

bool EndsPrimary(char16_t c, const char16_t* extraDelimiters) noexcept {
    return c == 0 || c == u',' || EndsListEntry(c, extraDelimiters);
}

size_t PairListBytes(uint32_t count) noexcept {
    const uint64_t bytes = 4 + static_cast<uint64_t>(count) * sizeof(EndpointPair);
    const size_t fitted = static_cast<size_t>(bytes);
    return fitted == bytes ? fitted : 0;
}

uint32_t ParsePrimary(const char16_t* text, const char16_t* extraDelimiters, uint32_t flags,
                      EndpointPair& pair) noexcept {
    if (EndsPrimary(*text, extraDelimiters)) return kAddressTextOk;
    AddressParseState state;
    const uint32_t result =
        RunAddressParse(text, kAddressTextUnbounded, extraDelimiters,
                        flags | AddressParseFlags::AcceptPortOnly, &state);
    if (result == kAddressTextOk) {
        PackParsedAddress(state, &pair.primary);
        return kAddressTextOk;
    }
    if (!(flags & AddressParseFlags::AcceptHostName)) return result;
    size_t length = 0;
    while (!EndsPrimary(text[length], extraDelimiters)) {
        if (length == kEndpointHostNameUnits - 1) return result;
        pair.primaryHostName[length] = text[length];
        ++length;
    }
    pair.primaryHostName[length] = 0;
    return kAddressTextOk;
}

// Parses the entry at text into pair, the primary up to "," and the secondary
// after it.
uint32_t ParsePair(const char16_t* text, const char16_t* extraDelimiters, uint32_t flags,
                   EndpointPair& pair) noexcept {
    uint32_t result = ParsePrimary(text, extraDelimiters, flags, pair);
    if (result != kAddressTextOk) return result;
    const char16_t* pos = text;
    while (!EndsPrimary(*pos, extraDelimiters)) ++pos;
    if (*pos != u',' || EndsPrimary(pos[1], extraDelimiters)) return kAddressTextOk;
    return ParseAddressText(pos + 1, &pair.secondary, extraDelimiters,
                            flags & ~AddressParseFlags::AcceptHostName);
}

uint32_t EmitPrimary(const EndpointPair& pair, uint32_t flags, ListTextWriter& out) noexcept {
    if (pair.primaryHostName[0] != 0) {
        size_t length = 0;
        while (length < kEndpointHostNameUnits && pair.primaryHostName[length] != 0) ++length;
        out.Append(pair.primaryHostName, length);
        return kAddressTextOk;
    }
    AddressTextBuilder text;
    if (pair.primary.family == kSilFamilyEmpty && pair.primary.port != 0) {
        text.Put(u':');
        text.PutDecimal(NetworkToHost16(pair.primary.port));
    } else {
        const uint32_t result = BuildAddressText(pair.primary, flags, text);
        if (result != kAddressTextOk) return result;
    }
    out.Append(text);
    return kAddressTextOk;
}

}  // namespace

uint32_t ParseEndpointPairList(const char16_t* text, const char16_t* extraDelimiters,
                               uint32_t flags, EndpointPairList** list) noexcept {
    if (list == nullptr) return kAddressTextInvalidArgument;
    *list = nullptr;
    if (text == nullptr) return kAddressTextInvalidArgument;

    const uint32_t count = CountAddressListEntries(text, extraDelimiters);
    const size_t bytes = PairListBytes(count);
    EndpointPairList* pairs =
        bytes != 0 ? static_cast<EndpointPairList*>(std::calloc(1, bytes)) : nullptr;
    if (pairs == nullptr) return kAddressTextNoMemory;
    const char16_t* pos = text;
    for (uint32_t i = 0; i < count; ++i) {
        const uint32_t result = ParsePair(pos, extraDelimiters, flags, EndpointPairs(pairs)[i]);
        if (result != kAddressTextOk) {
            FreeEndpointPairList(pairs);
            return result;
        }
        pos = FindListEntryEnd(pos, extraDelimiters);
        if (*pos != 0) ++pos;
    }
    pairs->count = count;
    *list = pairs;
    return kAddressTextOk;
}

uint32_t FormatEndpointPairList(const EndpointPairList* list, char16_t* buffer, uint32_t capacity,
                                uint32_t* needed, uint32_t flags) noexcept {
    if (list == nullptr) {
        if (needed != nullptr) *needed = 0;
        return kAddressTextInvalidArgument;
    }
    const EndpointPair* pairs = EndpointPairs(list);
    return FormatListText(buffer, capacity, needed, [&](ListTextWriter& out) -> uint32_t {
        for (uint32_t i = 0; i < list->count; ++i) {
            if (i > 0) out.Append(u';');
            uint32_t result = EmitPrimary(pairs[i], flags, out);
            if (result != kAddressTextOk) return result;
            if (pairs[i].secondary.family == kSilFamilyEmpty) continue;
            AddressTextBuilder text;
            result = BuildAddressText(pairs[i].secondary, flags, text);
            if (result != kAddressTextOk) return result;
            out.Append(u',');
            out.Append(text);
        }
        return kAddressTextOk;
    });
}

void FreeEndpointPairList(EndpointPairList* list) noexcept { std::free(list); }
