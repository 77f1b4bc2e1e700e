// The configured server address: six getters and six setters in three
// forms (IPv4 address and port, socket address, free text by name), each
// with its Visual Basic twin.
#include <winsock2.h>
#include <ws2ipdef.h>

#include <cstring>

#include "address/address_queries_win.h"
#include "api/vb_adapters.h"
#include "config/server_address_win.h"
#include "include/qlclapi.h"

using namespace qlclapi;

namespace {

// VmsAddress as one address; any read or parse failure means there is none.
bool ReadServerRecord(DriverAddressRecord* record) {
    return ReadAddressValue(record, kServerAddressValue, kClientParams) == 0;
}

QlUInt32 GetServerAddress(QlUInt32* address, QlUInt16* port) {
    if (!address) return 0;
    DriverAddressRecord record;
    const bool ipv4 = ReadServerRecord(&record) && record.family == kSilFamilyIPv4;
    *address = ipv4 ? record.v4.address : 0;
    if (port) *port = ipv4 ? record.port : 0;
    return 1;
}

// The setters of addresses store one address as the driver's text, or,
// when it cannot be formatted, leave VmsAddress as it is and still empty
// the cache and notify the driver.
QlUInt32 PublishRecord(const DriverAddressRecord& record) {
    wchar_t text[kAddressValueUnits];
    PublishServerAddress(FormatServerAddress(record, text) ? text : nullptr);
    return 1;
}

QlUInt32 SetServerAddress(QlUInt32 address, QlUInt16 port) {
    DriverAddressRecord record = {};
    record.family = kSilFamilyIPv4;
    record.port = port;
    record.v4.address = address;
    return PublishRecord(record);
}

QlUInt32 PublishSocketAddress(const void* socketAddress) {
    CSilAddress value(static_cast<const sockaddr*>(socketAddress));
    DriverAddressRecord record;
    std::memcpy(&record, value.Record(), sizeof record);
    return PublishRecord(record);
}

}  // namespace

QlUInt32 QLCLAPI_CALL QuorlanGetServerAddress(QlUInt32* address, QlUInt16* port) {
    return GetServerAddress(address, port);
}
QlUInt32 QLCLAPI_VBCALL QuorlanGetServerAddressVB(QlUInt32* address, QlUInt16* port) {
    return GetServerAddress(address, port);
}

QlUInt32 QLCLAPI_CALL QuorlanGetServerAddressEx(void* socketAddress) {
    if (!socketAddress) return 0;
    DriverAddressRecord record;
    if (ReadServerRecord(&record))
        CSilAddress(&record).ToSockaddr(socketAddress, kSocketAddressBytes, nullptr);
    else
        std::memset(socketAddress, 0, kSocketAddressBytes);
    return 1;
}

QlUInt32 QLCLAPI_VBCALL QuorlanGetServerAddressExVB(QlBstr* text) {
    DriverAddressRecord record;
    SilAddressText shown;
    AddressTextViaSocketAddress(ReadServerRecord(&record) ? CSilAddress(&record) : CSilAddress(), &shown);
    return StoreAnsiInBstr(text, reinterpret_cast<const wchar_t*>(shown.wide));
}

QlUInt32 QLCLAPI_CALL QuorlanGetServerAddressByName(wchar_t* buffer, QlUInt32* length) {
    return GetServerAddressByName(buffer, length);
}

QlUInt32 QLCLAPI_VBCALL QuorlanGetServerAddressByNameVB(QlBstr* text) {
    if (!text) return 0;
    uint32_t units = 0;
    wchar_t* stored = ReadServerAddressText(&units);
    if (!stored) return 0;
    QlUInt32 result = StoreAnsiInBstr(text, stored);
    HeapFree(GetProcessHeap(), 0, stored);
    return result;
}

QlUInt32 QLCLAPI_CALL QuorlanSetServerAddress(QlUInt32 address, QlUInt16 port) {
    return SetServerAddress(address, port);
}
QlUInt32 QLCLAPI_VBCALL QuorlanSetServerAddressVB(QlUInt32 address, QlUInt16 port) {
    return SetServerAddress(address, port);
}

QlUInt32 QLCLAPI_CALL QuorlanSetServerAddressEx(const void* socketAddress) {
    return PublishSocketAddress(socketAddress);
}

// The text goes through a socket address on its way to the registry, as
// though the caller had passed one: a prefix length is dropped, the port
// and an IPv6 zone stay. Text that is not one address stores nothing and
// tells nobody.
QlUInt32 QLCLAPI_VBCALL QuorlanSetServerAddressExVB(const char* text) {
    AnsiArgument converted(text);
    CSilAddress parsed;
    if (parsed.SetFromText(converted.text(), 0) != kSilOk || parsed.IsEmpty()) return 0;
    SOCKADDR_IN6 socketAddress = {};
    parsed.ToSockaddr(&socketAddress, sizeof socketAddress, nullptr);
    return PublishSocketAddress(&socketAddress);
}

QlUInt32 QLCLAPI_CALL QuorlanSetServerAddressByName(const wchar_t* text) {
    PublishServerAddress(text ? text : L"");
    return 1;
}

QlUInt32 QLCLAPI_VBCALL QuorlanSetServerAddressByNameVB(const char* text) {
    AnsiArgument converted(text);
    PublishServerAddress(converted.text() ? converted.text() : L"");
    return 1;
}
