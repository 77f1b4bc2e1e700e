#include "config/server_address_win.h"

#include <winsock2.h>
#include <ws2ipdef.h>

#include <cstring>

#include "address/address_queries_win.h"
#include "address/address_text.h"
#include "config/client_key_win.h"
#include "core/driver_channel_win.h"
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

HeapBuffer<wchar_t> ReadServerAddressText() {
    HeapBuffer<wchar_t> text;
    uint32_t stored = 0;
    if (ReadClientString(nullptr, &stored, kServerAddressValue, nullptr, kClientParams) || stored == 0) return text;
    // One spare unit: the text is terminated even when it was stored without.
    if (!text.allocate(size_t(stored) + 1)) return text;
    uint32_t read = stored;
    if (ReadClientString(text.data(), &read, kServerAddressValue, nullptr, kClientParams))
        text.release();
    else
        text[read] = 0;
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
        const HeapBuffer<wchar_t> text = ReadServerAddressText();
        const uint32_t units = uint32_t(text.count() ? text.count() - 1 : 0);
        if (text.ok() && TextLength(text.data(), units) == units) needed = (units + 1) * 2;
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

namespace {

// VmsAddress as one address; any read or parse failure means there is none.
bool ReadServerRecord(DriverAddressRecord* record) {
    return ReadAddressValue(record, kServerAddressValue, kClientParams) == kConfigOk;
}

// The setters of addresses store one address as the driver's text, or,
// when it cannot be formatted, leave VmsAddress as it is and still empty
// the cache and notify the driver.
uint32_t PublishRecord(const DriverAddressRecord& record) {
    wchar_t text[kAddressValueUnits];
    PublishServerAddress(FormatServerAddress(record, text) ? text : nullptr);
    return 1;
}

}  // namespace

uint32_t GetServerAddress(uint32_t* address, uint16_t* port) {
    if (!address) return 0;
    DriverAddressRecord record;
    const bool ipv4 = ReadServerRecord(&record) && record.family == kSilFamilyIPv4;
    *address = ipv4 ? record.v4.address : 0;
    if (port) *port = ipv4 ? record.port : 0;
    return 1;
}

uint32_t GetServerAddressEx(void* socketAddress) {
    if (!socketAddress) return 0;
    DriverAddressRecord record;
    if (ReadServerRecord(&record))
        CSilAddress(&record).ToSockaddr(socketAddress, kSocketAddressBytes, nullptr);
    else
        std::memset(socketAddress, 0, kSocketAddressBytes);
    return 1;
}

void GetServerAddressText(SilAddressText* text) {
    DriverAddressRecord record;
    AddressTextViaSocketAddress(ReadServerRecord(&record) ? CSilAddress(&record) : CSilAddress(), text);
}

uint32_t SetServerAddress(uint32_t address, uint16_t port) {
    DriverAddressRecord record = {};
    record.family = kSilFamilyIPv4;
    record.port = port;
    record.v4.address = address;
    return PublishRecord(record);
}

uint32_t SetServerAddressEx(const void* socketAddress) {
    CSilAddress value(static_cast<const sockaddr*>(socketAddress));
    DriverAddressRecord record;
    std::memcpy(&record, value.Record(), sizeof record);
    return PublishRecord(record);
}

uint32_t SetServerAddressFromText(const wchar_t* text) {
    CSilAddress parsed;
    if (parsed.SetFromText(text, 0) != kSilOk || parsed.IsEmpty()) return 0;
    SOCKADDR_IN6 socketAddress = {};
    parsed.ToSockaddr(&socketAddress, sizeof socketAddress, nullptr);
    return SetServerAddressEx(&socketAddress);
}

uint32_t SetServerAddressByName(const wchar_t* text) {
    PublishServerAddress(text ? text : L"");
    return 1;
}

}  // namespace qlclapi
