// Address lists: "10.0.0.1;10.0.0.2:80;[::1]:443" to and from an address
// array.
#include "address/address_list.h"

#include "address/address_list_text.h"

uint32_t CountAddressListEntries(const char16_t* text, const char16_t* extraDelimiters) noexcept {
    if (text == nullptr) return 0;
    uint32_t separators = 0;
    const char16_t* pos = text;
    for (; *pos != 0 && !IsExtraListDelimiter(*pos, extraDelimiters); ++pos) {
        if (*pos == u';') ++separators;
    }
    return pos != text ? separators + 1 : 0;
}

uint32_t ParseAddressList(const char16_t* text, const char16_t* extraDelimiters, uint32_t flags,
                          SilAddressArray** list) noexcept {
    // The parse itself stops at the entry's "," (secondaries are not kept).
    return ParseIntoCountedBlock<SilAddressArray, SilAddressRecord>(
        text, extraDelimiters, list, [&](const char16_t* entry, SilAddressRecord& record) {
            return ParseAddressText(entry, &record, extraDelimiters, flags);
        });
}

uint32_t FormatAddressList(const SilAddressArray* list, char16_t* buffer, uint32_t capacity,
                           uint32_t* needed, uint32_t flags) noexcept {
    return FormatCountedBlock<SilAddressRecord>(
        list, buffer, capacity, needed, [&](const SilAddressRecord& record, ListTextWriter& out) {
            return AppendAddressText(record, flags, out);
        });
}
