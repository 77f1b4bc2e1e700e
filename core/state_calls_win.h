// Connection state, disconnect reason, state-change notification and the
// commands without an answer (enable, log off, bypass, route check).
#pragma once

#include <windows.h>

#include <cstdint>

namespace qlclapi {

// 1 idle, 2 connecting, 3 connected, 4 server unreachable, 5 disconnected,
// 6 client not loaded; any other value means disabled.
using ConnectionState = int32_t;
constexpr ConnectionState kStateDisconnected = 5;
constexpr ConnectionState kStateClientNotLoaded = 6;

ConnectionState GetConnectionState();
// 1 when the driver was asked (even if it refused), 0 without a driver or
// without a place to store the reason.
uint32_t GetDisconnectReason(uint32_t* reason);

// The commands: 1 once the request was handed to the driver, 0 without one.
uint32_t SendCommand(uint32_t code);
uint32_t LogOff();

uint32_t NotifyStateChange(OVERLAPPED* overlapped);
uint32_t CancelNotifyStateChange(OVERLAPPED* overlapped);
// The client's state-change event, opened for waiting; null on failure with
// the thread's last error as the open left it.
HANDLE OpenStateChangeEvent();

}  // namespace qlclapi
