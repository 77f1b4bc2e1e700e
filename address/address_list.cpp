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
    if (list == nullptr) return kAddressTextInvalidArgument;
    *list = nullptr;
    if (text == nullptr) return kAddressTextInvalidArgument;

    const uint32_t count = CountAddressListEntries(text, extraDelimiters);
    SilAddressArray* array = AllocateAddressArray(count);
    if (array == nullptr) return kAddressTextNoMemory;
    SilAddressRecord* records = AddressArrayRecords(array);
    const char16_t* pos = text;
    for (uint32_t i = 0; i < count; ++i) {
        // The parse itself stops at the entry's "," (secondaries are not kept).
        const uint32_t result = ParseAddressText(pos, &records[i], extraDelimiters, flags);
        if (result != kAddressTextOk) {
            FreeAddressArray(array);
            return result;
        }
        pos = FindListEntryEnd(pos, extraDelimiters);
        if (*pos != 0) ++pos;
    }
    array->count = count;
    *list = array;
    return kAddressTextOk;
}

uint32_t FormatAddressList(const SilAddressArray* list, char16_t* buffer, uint32_t capacity,
                           uint32_t* needed, uint32_t flags) noexcept {
    if (list == nullptr) {
        if (needed != nullptr) *needed = 0;
        return kAddressTextInvalidArgument;
    }
    const SilAddressRecord* records = AddressArrayRecords(list);
    return FormatListText(buffer, capacity, needed, [&](ListTextWriter& out) -> uint32_t {
        for (uint32_t i = 0; i < list->count; ++i) {
            if (i > 0) out.Append(u';');
            AddressTextBuilder text;
            const uint32_t result = BuildAddressText(records[i], flags, text);
            if (result != kAddressTextOk) return result;
            out.Append(text);
        }
        return kAddressTextOk;
    });
}
