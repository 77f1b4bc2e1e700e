// The configured server address: the text VmsAddress in the client
// parameters key, the cache VmsCache beside it that every change empties,
// and the driver's notice that the configuration changed.
#pragma once

#include <cstdint>

#include "address/sil_address.h"
#include "config/config_status.h"
#include "core/heap_buffer.h"

namespace qlclapi {

constexpr wchar_t kServerAddressValue[] = L"VmsAddress";
constexpr wchar_t kServerCacheValue[] = L"VmsCache";
// Address texts are read and formatted in 80 units, terminator included.
constexpr uint32_t kAddressValueUnits = 80;

// The common tail of every setter: writes text as VmsAddress when given,
// empties VmsCache (an empty binary value, VmsCache__0 deleted) and, when
// the driver is there, tells it with request 0x2225A3. Nothing is looked at.
void PublishServerAddress(const wchar_t* text);

// Reads a string value of a client key (80 units) and parses it as one
// address of either family, port optional, no prefix, no host name. The
// first failing ConfigStatus or parse code, else 0; on failure *record is
// zero. A stored text that needs more than 80 units with its terminator
// fails with 0x80000007, even when it was stored without one.
uint32_t ReadAddressValue(DriverAddressRecord* record, const wchar_t* name, ClientKey which);
// Formats the record (80 units, no prefix) and writes it as a string value.
uint32_t WriteAddressValue(const DriverAddressRecord* record, const wchar_t* name, ClientKey which);

// Formats a record into an 80-unit text; false (text empty) on failure.
bool FormatServerAddress(const DriverAddressRecord& record, wchar_t (&text)[kAddressValueUnits]);

// The stored text in a zero-filled buffer of its stored units and one more,
// always terminated; empty when there is none or it is empty.
HeapBuffer<wchar_t> ReadServerAddressText();

// The calls of the server address exports (their comments in qlclapi.h say
// the rest): the IPv4 address and port (0 and 0 for none or an IPv6 one),
// the socket address (zeros for none), and the text as a socket address
// shows it (empty for none).
uint32_t GetServerAddress(uint32_t* address, uint16_t* port);
uint32_t GetServerAddressEx(void* socketAddress);
void GetServerAddressText(SilAddressText* text);
uint32_t GetServerAddressByName(wchar_t* buffer, uint32_t* length);
// The setters always answer 1 (SetServerAddressFromText: 0 for text that is
// not one address, which stores nothing and tells nobody).
uint32_t SetServerAddress(uint32_t address, uint16_t port);
uint32_t SetServerAddressEx(const void* socketAddress);
// The text goes through a socket address on its way to the registry, as
// though the caller had passed one: a prefix length is dropped, the port
// and an IPv6 zone stay.
uint32_t SetServerAddressFromText(const wchar_t* text);
// Stores the text as it is (null as the empty text).
uint32_t SetServerAddressByName(const wchar_t* text);

}  // namespace qlclapi
