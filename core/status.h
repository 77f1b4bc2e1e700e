// The library's internal status codes: 0 for success, the top bit set on
// failure. The configuration store (ConfigStatus, config/config_status.h)
// and the address value and grammar (address/sil_address.h,
// address/address_text.h) report these values under their own names; the
// values themselves are defined here only. A platform error code is never
// passed on.
#pragma once

#include <cstdint>

namespace qlclapi {

using Status = uint32_t;

namespace status {
constexpr Status kOk = 0;
// Any registry or service failure; for the address value, "no match".
constexpr Status kFailed = 0x80000000u;
constexpr Status kNoMemory = 0x80000001u;
constexpr Status kInvalidArgument = 0x80000006u;
// The output does not fit; the needed size is reported beside it.
constexpr Status kBufferTooSmall = 0x80000007u;
constexpr Status kNotFound = 0x80000009u;
// A service's Start value could not be written (start-up control).
constexpr Status kStartNotWritten = 0x80080391u;
// The text is not a valid address text.
constexpr Status kNotAddressText = 0x80150008u;
// The address value's conversions into a caller's socket address or record.
constexpr Status kAddressOutputTooSmall = 0xD0000008u;
}  // namespace status

constexpr bool Succeeded(Status code) { return (code & 0x80000000u) == 0; }

}  // namespace qlclapi
