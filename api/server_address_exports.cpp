// The configured server address: six getters and six setters in three
// forms (IPv4 address and port, socket address, free text by name), each
// with its Visual Basic twin.
#include "config/server_address_win.h"
#include "core/vb_text_win.h"
#include "include/qlclapi.h"

using namespace qlclapi;

QlUInt32 QLCLAPI_CALL QuorlanGetServerAddress(QlUInt32* address, QlUInt16* port) {
    return GetServerAddress(address, port);
}
QlUInt32 QLCLAPI_VBCALL QuorlanGetServerAddressVB(QlUInt32* address, QlUInt16* port) {
    return GetServerAddress(address, port);
}

QlUInt32 QLCLAPI_CALL QuorlanGetServerAddressEx(void* socketAddress) { return GetServerAddressEx(socketAddress); }

QlUInt32 QLCLAPI_VBCALL QuorlanGetServerAddressExVB(QlBstr* text) {
    SilAddressText shown;
    GetServerAddressText(&shown);
    return StoreAnsiInBstr(text, reinterpret_cast<const wchar_t*>(shown.wide));
}

QlUInt32 QLCLAPI_CALL QuorlanGetServerAddressByName(wchar_t* buffer, QlUInt32* length) {
    return GetServerAddressByName(buffer, length);
}

QlUInt32 QLCLAPI_VBCALL QuorlanGetServerAddressByNameVB(QlBstr* text) {
    if (!text) return 0;
    const HeapBuffer<wchar_t> stored = ReadServerAddressText();
    return stored.ok() ? StoreAnsiInBstr(text, stored.data()) : 0;
}

QlUInt32 QLCLAPI_CALL QuorlanSetServerAddress(QlUInt32 address, QlUInt16 port) {
    return SetServerAddress(address, port);
}
QlUInt32 QLCLAPI_VBCALL QuorlanSetServerAddressVB(QlUInt32 address, QlUInt16 port) {
    return SetServerAddress(address, port);
}

QlUInt32 QLCLAPI_CALL QuorlanSetServerAddressEx(const void* socketAddress) {
    return SetServerAddressEx(socketAddress);
}
QlUInt32 QLCLAPI_VBCALL QuorlanSetServerAddressExVB(const char* text) {
    AnsiArgument converted(text);
    return SetServerAddressFromText(converted.text());
}

QlUInt32 QLCLAPI_CALL QuorlanSetServerAddressByName(const wchar_t* text) { return SetServerAddressByName(text); }
QlUInt32 QLCLAPI_VBCALL QuorlanSetServerAddressByNameVB(const char* text) {
    AnsiArgument converted(text);
    return SetServerAddressByName(converted.text());
}
