// Addresses as text, written by the library's own grammar (its address
// sources are compiled into qlctl), so that qlctl shows exactly the texts
// the library's text exports give.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "address/address_text.h"

namespace qlctl {

// The room the Ex exports write a SOCKADDR_IN or SOCKADDR_IN6 into.
constexpr size_t kSocketAddressBytes = 28;

// The text of such a socket address as the library's ...ExVB twins give
// it: port and zone when set, never a prefix. Empty when the bytes hold
// neither an IPv4 nor an IPv6 socket address.
std::string SocketAddressText(const unsigned char (&socketAddress)[kSocketAddressBytes]);

// FormatAddressText with `flags` (AddressFormatFlags); `utf8` is set on success.
uint32_t FormatRecordText(const SilAddressRecord& record, uint32_t flags, std::string& utf8);

// A grammar result code with its meaning: "0x80150008 not a valid address text".
std::string AddressCodeText(uint32_t code);

}  // namespace qlctl
