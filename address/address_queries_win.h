// The virtual, point-of-presence and connected-server addresses, each read
// afresh from the driver and handed out as an IPv4 number, a socket address
// or text.
#pragma once

#include <cstdint>

#include "address/sil_address.h"

namespace qlclapi {

// Room the callers of the socket-address forms provide.
constexpr uint32_t kSocketAddressBytes = 28;

uint32_t GetVirtualAddress(uint32_t* address);
uint32_t GetVirtualAddressEx(void* socketAddress, uint32_t* count);
uint32_t GetPointOfPresence(uint32_t* address);
uint32_t GetPointOfPresenceEx(void* socketAddress);
uint32_t GetConnectedServerAddress(uint32_t* address, uint16_t* port);
uint32_t GetConnectedServerAddressEx(void* socketAddress);

// The text forms: false when the driver could not be asked; otherwise the
// address's text in *text (empty for an absent address).
bool GetVirtualAddressText(SilAddressText* text);
bool GetPointOfPresenceText(SilAddressText* text);
bool GetConnectedServerAddressText(SilAddressText* text);

// The text callers see for an address: the value as it comes back from a
// socket address (prefix reset, port and scope kept), formatted with flags 0.
void AddressTextViaSocketAddress(const CSilAddress& address, SilAddressText* text);

// Both records of request 0x22250F, connected server first; false when the
// driver is absent, of another version, refuses or answers short.
bool ReadPointOfPresenceRecords(DriverAddressRecord records[2]);

}  // namespace qlclapi
