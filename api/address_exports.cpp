// The address queries and the point-of-presence details, with their Visual
// Basic twins: numbers as they are, addresses and texts as ANSI in BSTRs.
#include <windows.h>

#include "address/address_queries_win.h"
#include "address/pop_details_win.h"
#include "core/vb_text_win.h"
#include "include/qlclapi.h"

using namespace qlclapi;

namespace {

using TextQuery = bool (*)(SilAddressText*);

uint32_t StoreAddressText(QlBstr* target, TextQuery query) {
    SilAddressText text;
    if (!query(&text)) return 0;
    return StoreAnsiInBstr(target, reinterpret_cast<const wchar_t*>(text.wide));
}

}  // namespace

QlUInt32 QLCLAPI_CALL QuorlanGetVirtualAddress(QlUInt32* address) { return GetVirtualAddress(address); }
QlUInt32 QLCLAPI_VBCALL QuorlanGetVirtualAddressVB(QlUInt32* address) { return GetVirtualAddress(address); }
QlUInt32 QLCLAPI_CALL QuorlanGetVirtualAddressEx(void* socketAddress, QlUInt32* count) {
    return GetVirtualAddressEx(socketAddress, count);
}
QlUInt32 QLCLAPI_VBCALL QuorlanGetVirtualAddressExVB(QlBstr* text) {
    return StoreAddressText(text, GetVirtualAddressText);
}

QlUInt32 QLCLAPI_CALL QuorlanGetPointOfPresence(QlUInt32* address) { return GetPointOfPresence(address); }
QlUInt32 QLCLAPI_VBCALL QuorlanGetPointOfPresenceVB(QlUInt32* address) { return GetPointOfPresence(address); }
QlUInt32 QLCLAPI_CALL QuorlanGetPointOfPresenceEx(void* socketAddress) { return GetPointOfPresenceEx(socketAddress); }
QlUInt32 QLCLAPI_VBCALL QuorlanGetPointOfPresenceExVB(QlBstr* text) {
    return StoreAddressText(text, GetPointOfPresenceText);
}

QlUInt32 QLCLAPI_CALL QuorlanGetConnectedServerAddress(QlUInt32* address, QlUInt16* port) {
    return GetConnectedServerAddress(address, port);
}
QlUInt32 QLCLAPI_VBCALL QuorlanGetConnectedServerAddressVB(QlUInt32* address, QlUInt16* port) {
    return GetConnectedServerAddress(address, port);
}
QlUInt32 QLCLAPI_CALL QuorlanGetConnectedServerAddressEx(void* socketAddress) {
    return GetConnectedServerAddressEx(socketAddress);
}
QlUInt32 QLCLAPI_VBCALL QuorlanGetConnectedServerAddressExVB(QlBstr* text) {
    return StoreAddressText(text, GetConnectedServerAddressText);
}

QlUInt32 QLCLAPI_CALL QuorlanGetPointOfPresenceNetworkType(void) { return GetPointOfPresenceNetworkType(); }
QlUInt32 QLCLAPI_VBCALL QuorlanGetPointOfPresenceNetworkTypeVB(void) { return GetPointOfPresenceNetworkType(); }
