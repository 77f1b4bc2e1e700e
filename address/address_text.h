// The address text grammar: parse UTF-16 address texts into address records
// and format records back. Neither direction allocates.
//
// Accepted forms: dotted IPv4 with an optional prefix (a length or a dotted
// mask) and port, "1.2.3.4/8:80"; IPv6 with "::", a dotted IPv4 tail, a
// decimal zone after "%", a prefix, and brackets with a port after them,
// "[fe80::1%3/64]:443". A text ends at its terminator, at "," or ";", or at
// any character of the caller's extra delimiters; the rest is not looked at.
#pragma once

#include <cstddef>
#include <cstdint>

#include "address/sil_address.h"
#include "core/status.h"

// Result codes shared by every parse and format: the library's internal
// status codes (core/status.h) under the grammar's names.
constexpr uint32_t kAddressTextOk = qlclapi::status::kOk;
constexpr uint32_t kAddressTextNoMemory = qlclapi::status::kNoMemory;
constexpr uint32_t kAddressTextInvalidArgument = qlclapi::status::kInvalidArgument;
constexpr uint32_t kAddressTextBufferTooSmall = qlclapi::status::kBufferTooSmall;
constexpr uint32_t kAddressTextInvalid = qlclapi::status::kNotAddressText;

// Bits for the flags argument of the parse functions.
namespace AddressParseFlags {
constexpr uint32_t RejectIPv6 = 1;
constexpr uint32_t RejectIPv4 = 2;
constexpr uint32_t RejectPrefix = 4;
constexpr uint32_t RequirePrefix = 8;
constexpr uint32_t RejectPort = 16;
constexpr uint32_t RequirePort = 32;
constexpr uint32_t AcceptPortOnly = 64;   // ":5008", only meaningful to pair lists
constexpr uint32_t AcceptHostName = 128;  // list forms only
}  // namespace AddressParseFlags

// Bits for the flags argument of the format functions.
namespace AddressFormatFlags {
constexpr uint32_t IPv4PrefixAsMask = 1;
constexpr uint32_t NeverPrefix = 2;
constexpr uint32_t AlwaysPrefix = 4;  // also /32, /128 and /0
constexpr uint32_t NeverPort = 8;
constexpr uint32_t AlwaysPort = 16;   // also :0
constexpr uint32_t IPv6AlwaysBrackets = 32;
}  // namespace AddressFormatFlags

// The longest text the formatter writes is 67 units; this leaves room.
constexpr uint32_t kAddressTextCapacity = 80;

// Parses text into record (zeroed first, left zeroed on any failure).
// extraDelimiters is a zero-terminated set of further terminators, or null.
// The length form stops at length units even without a terminator.
uint32_t ParseAddressText(const char16_t* text, SilAddressRecord* record,
                          const char16_t* extraDelimiters, uint32_t flags) noexcept;
uint32_t ParseAddressText(const char16_t* text, size_t length, SilAddressRecord* record,
                          const char16_t* extraDelimiters, uint32_t flags) noexcept;

// As ParseAddressText with RejectPrefix added, into a driver record: bytes
// 0..7 for IPv4, 0..27 for IPv6, the rest zero.
uint32_t ParseDriverAddressText(const char16_t* text, DriverAddressRecord* record,
                                const char16_t* extraDelimiters, uint32_t flags) noexcept;

// Writes the text and its terminator into buffer when capacity (in UTF-16
// units, terminator included) suffices. needed, when given, receives the text
// length plus 1 on success and on kAddressTextBufferTooSmall, 0 on any other
// failure; a short buffer is left untouched. A null buffer with capacity 0 is a size query (it returns
// kAddressTextBufferTooSmall unless the text is empty). Family 0 gives the
// empty text.
uint32_t FormatAddressText(const SilAddressRecord* record, char16_t* buffer, uint32_t capacity,
                           uint32_t* needed, uint32_t flags) noexcept;

// Formats a driver record with NeverPrefix added; a family other than IPv4
// or IPv6 formats as the empty text.
uint32_t FormatDriverAddressText(const DriverAddressRecord* record, char16_t* buffer,
                                 uint32_t capacity, uint32_t* needed, uint32_t flags) noexcept;

#ifdef _WIN32
// wchar_t is a 16-bit UTF-16 unit on Windows.
static_assert(sizeof(wchar_t) == sizeof(char16_t), "wchar_t holds UTF-16 units");
inline uint32_t ParseAddressText(const wchar_t* text, SilAddressRecord* record,
                                 const wchar_t* extraDelimiters, uint32_t flags) noexcept {
    return ParseAddressText(reinterpret_cast<const char16_t*>(text), record,
                            reinterpret_cast<const char16_t*>(extraDelimiters), flags);
}
inline uint32_t ParseDriverAddressText(const wchar_t* text, DriverAddressRecord* record,
                                       const wchar_t* extraDelimiters, uint32_t flags) noexcept {
    return ParseDriverAddressText(reinterpret_cast<const char16_t*>(text), record,
                                  reinterpret_cast<const char16_t*>(extraDelimiters), flags);
}
inline uint32_t FormatAddressText(const SilAddressRecord* record, wchar_t* buffer,
                                  uint32_t capacity, uint32_t* needed, uint32_t flags) noexcept {
    return FormatAddressText(record, reinterpret_cast<char16_t*>(buffer), capacity, needed, flags);
}
inline uint32_t FormatDriverAddressText(const DriverAddressRecord* record, wchar_t* buffer,
                                        uint32_t capacity, uint32_t* needed,
                                        uint32_t flags) noexcept {
    return FormatDriverAddressText(record, reinterpret_cast<char16_t*>(buffer), capacity, needed,
                                   flags);
}
#endif
