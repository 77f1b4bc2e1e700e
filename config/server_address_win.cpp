#include "config/server_address_win.h"

#include <windows.h>

#include <cstring>

#include "address/address_text.h"
#include "config/client_key_win.h"
#include "config/heap_block_win.h"
#include "core/driver_channel.h"
#include "core/request_codes.h"

namespace qlclapi {

namespace {

// Units up to the first terminator among the first `units`, or `units`
// when there is none.
uint32_t TextLength(const wchar_t* text, uint32_t units) {
    uint32_t length = 0;
    while (length < units && text[length]) ++length;
    return length;
}

}  // namespace

void PublishServerAddress(const wchar_t* text) {
    if (text) WriteClientString(text, kServerAddressValue, nullptr, kClientParams);
    WriteClientBinary(nullptr, 0, kServerCacheValue, nullptr, kClientParams);
    if (DriverAvailable()) SendDeviceRequest(RequestCode::ServerListChanged, nullptr, 0, nullptr, 0);
}

uint32_t ReadAddressValue(DriverAddressRecord* record, const wchar_t* name, ClientKey which) {
    if (!record) return kConfigInvalidArgument;
    std::memset(record, 0, sizeof *record);
    wchar_t text[kAddressValueUnits + 1] = {};
    uint32_t units = kAddressValueUnits;
    if (ConfigStatus status = ReadClientString(text, &units, name, nullptr, which)) return status;
    // 80 units without a terminator would need 81 with it.
    if (TextLength(text, units) == kAddressValueUnits) return kConfigBufferTooSmall;
    text[units] = 0;
    return ParseDriverAddressText(text, record, nullptr, 0);
}

bool FormatServerAddress(const DriverAddressRecord& record, wchar_t (&text)[kAddressValueUnits]) {
    text[0] = 0;
    return FormatDriverAddressText(&record, text, kAddressValueUnits, nullptr, 0) == kAddressTextOk;
}

uint32_t WriteAddressValue(const DriverAddressRecord* record, const wchar_t* name, ClientKey which) {
    wchar_t text[kAddressValueUnits];
    if (!record) return kConfigInvalidArgument;
    if (uint32_t status = FormatDriverAddressText(record, text, kAddressValueUnits, nullptr, 0)) return status;
    return WriteClientString(text, name, nullptr, which);
}

wchar_t* ReadServerAddressText(uint32_t* units) {
    *units = 0;
    uint32_t stored = 0;
    if (ReadClientString(nullptr, &stored, kServerAddressValue, nullptr, kClientParams) || stored == 0) return nullptr;
    // One spare unit: the text is terminated even when it was stored without.
    auto* text = static_cast<wchar_t*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, (size_t(stored) + 1) * 2));
    if (!text) return nullptr;
    uint32_t read = stored;
    if (ReadClientString(text, &read, kServerAddressValue, nullptr, kClientParams)) {
        HeapFree(GetProcessHeap(), 0, text);
        return nullptr;
    }
    text[read] = 0;
    *units = stored;
    return text;
}

uint32_t GetServerAddressByName(wchar_t* buffer, uint32_t* length) {
    // The length is required: without it there is nowhere to report a size,
    // so nothing is read and nothing written.
    if (!length) return 0;
    if (!buffer) {
        // The size a fetch needs: the stored bytes, taken up to whole units,
        // and room for the terminator a text stored without one is given.
        uint32_t stored = 0;
        if (ReadClientString(nullptr, &stored, kServerAddressValue, nullptr, kClientParams)) {
            *length = 0;
            return 0;
        }
        uint32_t needed = stored ? stored * 2 : 2;
        uint32_t units = 0;
        if (wchar_t* text = ReadServerAddressText(&units)) {
            if (TextLength(text, units) == units) needed = (units + 1) * 2;
            HeapFree(GetProcessHeap(), 0, text);
        }
        *length = needed;
        return 1;
    }
    const uint32_t capacity = *length / 2;
    if (capacity) buffer[0] = 0;
    uint32_t units = capacity;
    if (ReadClientString(buffer, &units, kServerAddressValue, nullptr, kClientParams)) {
        *length = 0;
        return 0;
    }
    if (TextLength(buffer, units) < units) {
        *length = units * 2;  // as stored, terminator included
        return 1;
    }
    // Stored without a terminator (or with an odd byte after the text): the
    // caller gets it terminated when there is room, and nothing otherwise.
    if (units < capacity) {
        buffer[units] = 0;
        *length = (units + 1) * 2;
        return 1;
    }
    if (capacity) buffer[0] = 0;
    *length = 0;
    return 0;
}

}  // namespace qlclapi
