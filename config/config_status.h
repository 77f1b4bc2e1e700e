// Status codes of the configuration store and the selector of the client's
// three registry keys.
#pragma once

#include <cstdint>

namespace qlclapi {

// 0 for success; the top bit is set on failure. The platform's own error
// code is never passed on.
using ConfigStatus = uint32_t;
constexpr ConfigStatus kConfigOk = 0;
constexpr ConfigStatus kConfigFailed = 0x80000000;          // any registry or service failure
constexpr ConfigStatus kConfigInvalidArgument = 0x80000006;
constexpr ConfigStatus kConfigBufferTooSmall = 0x80000007;  // the needed size is reported
constexpr ConfigStatus kConfigNotFound = 0x80000009;
constexpr ConfigStatus kConfigStartNotWritten = 0x80080391;  // a service's Start value

constexpr bool ConfigSucceeded(ConfigStatus status) { return (status & 0x80000000u) == 0; }

// Which of the client's keys an operation works on. Any value other than
// 1 and 3 (0 included) means the state key.
using ClientKey = int32_t;
constexpr ClientKey kClientParams = 1;   // ...\Params\Vorantis Client
constexpr ClientKey kClientState = 2;    // ...\Params\Vorantis Client State
constexpr ClientKey kClientCurrent = 3;  // the state key's subkey named by CurrentSubkey

}  // namespace qlclapi
