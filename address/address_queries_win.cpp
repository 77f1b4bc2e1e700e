#include "address/address_queries_win.h"

#include <winsock2.h>
#include <ws2ipdef.h>

#include "core/driver_channel_win.h"
#include "core/request_codes.h"

namespace qlclapi {

namespace {

bool ReadVirtualRecord(DriverAddressRecordShort* record) {
    *record = {};
    return DriverAvailable() &&
           SendDeviceRequest(RequestCode::VirtualAddress, nullptr, 0, record, sizeof *record);
}

// The connected server alone: the request with room for the first record.
bool ReadServerRecord(DriverAddressRecord* record) {
    *record = {};
    return DriverAvailable() &&
           SendDeviceRequest(RequestCode::ServerAddresses, nullptr, 0, record, sizeof *record);
}

bool IsNonZeroIPv4(uint16_t family, uint32_t address) { return family == kSilFamilyIPv4 && address != 0; }

}  // namespace

bool ReadPointOfPresenceRecords(DriverAddressRecord records[2]) {
    records[0] = {};
    records[1] = {};
    if (!DriverAvailable() || Channel().mismatchedDriver) return false;
    uint32_t returned = 0;
    // Only these calls count the bytes: a driver that knows only the server
    // record cannot tell the point of presence.
    return SendDeviceRequest(RequestCode::ServerAddresses, nullptr, 0, records, 2 * sizeof(DriverAddressRecord),
                             &returned) &&
           returned >= 2 * sizeof(DriverAddressRecord);
}

void AddressTextViaSocketAddress(const CSilAddress& address, SilAddressText* text) {
    SOCKADDR_IN6 socketAddress = {};
    address.ToSockaddr(&socketAddress, sizeof socketAddress, nullptr);
    CSilAddress shown(reinterpret_cast<const sockaddr*>(&socketAddress));
    shown.ToText(text, 0);
}

uint32_t GetVirtualAddress(uint32_t* address) {
    DriverAddressRecordShort record;
    // The request goes out first; a null pointer is looked at last of all.
    if (!ReadVirtualRecord(&record) || !IsNonZeroIPv4(record.family, record.v4.address) || !address) return 0;
    *address = record.v4.address;
    return 1;
}

uint32_t GetVirtualAddressEx(void* socketAddress, uint32_t* count) {
    if (!count) return 0;
    const uint32_t room = *count;
    *count = 0;
    DriverAddressRecordShort record;
    if (!ReadVirtualRecord(&record)) return 0;
    *count = 1;  // tells a caller who offered no room how much to offer
    if (room == 0) return 0;
    CSilAddress(&record).ToSockaddr(socketAddress, kSocketAddressBytes, nullptr);
    return 1;
}

bool GetVirtualAddressText(SilAddressText* text) {
    DriverAddressRecordShort record;
    if (!ReadVirtualRecord(&record)) return false;
    AddressTextViaSocketAddress(CSilAddress(&record), text);
    return true;
}

uint32_t GetPointOfPresence(uint32_t* address) {
    if (!address) return 0;
    DriverAddressRecord records[2];
    if (!ReadPointOfPresenceRecords(records)) return 0;
    *address = records[1].family == kSilFamilyIPv4 ? records[1].v4.address : 0;
    return 1;
}

uint32_t GetPointOfPresenceEx(void* socketAddress) {
    DriverAddressRecord records[2];
    if (!ReadPointOfPresenceRecords(records)) return 0;
    CSilAddress(&records[1]).ToSockaddr(socketAddress, kSocketAddressBytes, nullptr);
    return 1;
}

bool GetPointOfPresenceText(SilAddressText* text) {
    DriverAddressRecord records[2];
    if (!ReadPointOfPresenceRecords(records)) return false;
    AddressTextViaSocketAddress(CSilAddress(&records[1]), text);
    return true;
}

uint32_t GetConnectedServerAddress(uint32_t* address, uint16_t* port) {
    if (!address || !port) return 0;
    DriverAddressRecord record;
    if (!ReadServerRecord(&record) || !IsNonZeroIPv4(record.family, record.v4.address)) return 0;
    *address = record.v4.address;
    *port = record.port;
    return 1;
}

uint32_t GetConnectedServerAddressEx(void* socketAddress) {
    if (!socketAddress) return 0;
    DriverAddressRecord record;
    if (!ReadServerRecord(&record)) return 0;
    CSilAddress(&record).ToSockaddr(socketAddress, kSocketAddressBytes, nullptr);
    return 1;
}

bool GetConnectedServerAddressText(SilAddressText* text) {
    DriverAddressRecord record;
    if (!ReadServerRecord(&record)) return false;
    AddressTextViaSocketAddress(CSilAddress(&record), text);
    return true;
}

}  // namespace qlclapi
