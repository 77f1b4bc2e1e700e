// Endpoint pair lists: "primary,secondary;..." where a primary may also be a
// bare port (":5008"), empty (",10.0.0.2"), or, on request, a host name.
#include "address/address_byte_order.h"
#include "address/address_list.h"
#include "address/address_list_text.h"
#include "address/address_parse_state.h"
#include "core/heap_buffer.h"

namespace {

bool EndsPrimary(char16_t c, const char16_t* extraDelimiters) noexcept {
    return c == 0 || c == u',' || EndsListEntry(c, extraDelimiters);
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

uint32_t AppendPair(const EndpointPair& pair, uint32_t flags, ListTextWriter& out) noexcept {
    if (pair.primaryHostName[0] != 0) {
        size_t length = 0;
        while (length < kEndpointHostNameUnits && pair.primaryHostName[length] != 0) ++length;
        out.Append(pair.primaryHostName, length);
    } else if (pair.primary.family == kSilFamilyEmpty && pair.primary.port != 0) {
        AddressTextBuilder text;
        text.Put(u':');
        text.PutDecimal(NetworkToHost16(pair.primary.port));
        out.Append(text);
    } else {
        const uint32_t result = AppendAddressText(pair.primary, flags, out);
        if (result != kAddressTextOk) return result;
    }
    if (pair.secondary.family == kSilFamilyEmpty) return kAddressTextOk;
    out.Append(u',');
    return AppendAddressText(pair.secondary, flags, out);
}

}  // namespace

uint32_t ParseEndpointPairList(const char16_t* text, const char16_t* extraDelimiters,
                               uint32_t flags, EndpointPairList** list) noexcept {
    return ParseIntoCountedBlock<EndpointPairList, EndpointPair>(
        text, extraDelimiters, list, [&](const char16_t* entry, EndpointPair& pair) {
            return ParsePair(entry, extraDelimiters, flags, pair);
        });
}

uint32_t FormatEndpointPairList(const EndpointPairList* list, char16_t* buffer, uint32_t capacity,
                                uint32_t* needed, uint32_t flags) noexcept {
    return FormatCountedBlock<EndpointPair>(
        list, buffer, capacity, needed, [&](const EndpointPair& pair, ListTextWriter& out) {
            return AppendPair(pair, flags, out);
        });
}

void FreeEndpointPairList(EndpointPairList* list) noexcept { qlclapi::ReleaseBlock(list); }
