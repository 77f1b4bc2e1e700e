#include "core/state_calls_win.h"

#include "core/driver_channel_win.h"
#include "core/request_codes.h"

namespace qlclapi {

ConnectionState GetConnectionState() {
    ConnectionState state = kStateClientNotLoaded;
    uint32_t disconnected = 0;
    if (!DriverAvailable()) return state;
    // Both answers are taken as they come: a refused request leaves the
    // preset, and any state value is passed on unchecked.
    ReadDriverWord(RequestCode::Disconnected, &disconnected);
    if (disconnected) return kStateDisconnected;
    ReadDriverWord(RequestCode::ConnectionState, &state);
    return state;
}

uint32_t GetDisconnectReason(uint32_t* reason) {
    if (!reason) return 0;
    if (!DriverAvailable()) {
        *reason = 0;
        return 0;
    }
    uint32_t value = 0;
    // A refused request leaves the caller's value as it was and still
    // counts as an answer.
    if (ReadDriverWord(RequestCode::DisconnectReason, &value)) *reason = value;
    return 1;
}

uint32_t SendCommand(uint32_t code) {
    if (!DriverAvailable()) return 0;
    SendDeviceRequest(code, nullptr, 0, nullptr, 0);
    return 1;
}

uint32_t LogOff() {
    if (!DriverAvailable()) return 0;
    const uint32_t action = ActionWord::LogOff;
    SendDeviceRequest(RequestCode::Action, &action, sizeof action, nullptr, 0);
    return 1;
}

uint32_t NotifyStateChange(OVERLAPPED* overlapped) {
    const DriverChannel& channel = Channel();
    if (channel.overlappedDevice == INVALID_HANDLE_VALUE || channel.mismatchedDriver) return 0;
    // Without an overlapped structure the request would block the caller on
    // a handle opened for overlapped I/O.
    if (!overlapped) return 0;
    // Normally answers ERROR_IO_PENDING; the caller waits on its event.
    DWORD returned = 0;
    DeviceIoControl(channel.overlappedDevice, RequestCode::NotifyStateChange, nullptr, 0, nullptr, 0, &returned,
                    overlapped);
    return 1;
}

uint32_t CancelNotifyStateChange(OVERLAPPED* overlapped) {
    const DriverChannel& channel = Channel();
    if (channel.overlappedDevice == INVALID_HANDLE_VALUE) return 0;
    // A null structure would cancel every request of the process on the
    // handle, other callers' notifications included.
    if (!overlapped) return 0;
    return CancelIoEx(channel.overlappedDevice, overlapped) ? 1 : 0;
}

HANDLE OpenStateChangeEvent() { return OpenEventW(SYNCHRONIZE, FALSE, L"Global\\QuorlanNotifyEvent"); }

}  // namespace qlclapi
