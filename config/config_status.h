// Status codes of the configuration store and the selector of the client's
// three registry keys.
#pragma once

#include <cstdint>

#include "core/status.h"

namespace qlclapi {

// The library's internal status (core/status.h) under the names the
// configuration store reads best with.
using ConfigStatus = Status;
constexpr ConfigStatus kConfigOk = status::kOk;
constexpr ConfigStatus kConfigFailed = status::kFailed;  // any registry or service failure
constexpr ConfigStatus kConfigInvalidArgument = status::kInvalidArgument;
constexpr ConfigStatus kConfigBufferTooSmall = status::kBufferTooSmall;  // the needed size is reported
constexpr ConfigStatus kConfigNotFound = status::kNotFound;
constexpr ConfigStatus kConfigStartNotWritten = status::kStartNotWritten;  // a service's Start value

// Which of the client's keys an operation works on. Any value other than
// 1 and 3 (0 included) means the state key.
using ClientKey = int32_t;
constexpr ClientKey kClientParams = 1;   // ...\Params\Vorantis Client
constexpr ClientKey kClientState = 2;    // ...\Params\Vorantis Client State
constexpr ClientKey kClientCurrent = 3;  // the state key's subkey named by CurrentSubkey

}  // namespace qlclapi
