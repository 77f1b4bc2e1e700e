// The library's two handles to the client driver and the version word read
// when the library is loaded. Written only by the attach and detach steps of
// the library entry; every export only reads it, so no lock is needed.
#pragma once

#include <windows.h>

#include <cstdint>

namespace qlclapi {

// The version this library speaks: 12.12.16943. Only the high half (major and
// minor) must match the driver's.
constexpr uint32_t kLibraryVersion = 0x0C0C422F;
constexpr uint32_t kInterfaceGenerationMask = 0xFFFF0000;

struct DriverChannel {
    HANDLE syncDevice;
    HANDLE overlappedDevice;
    HMODULE moduleHandle;
    uint32_t driverVersion;
    uint32_t mismatchedDriver;
};

const DriverChannel& Channel();

// Attach and detach steps, called by the library entry only.
void AttachDriverChannel(HMODULE module);
void DetachDriverChannel();

inline bool DriverAvailable() { return Channel().syncDevice != INVALID_HANDLE_VALUE; }

// One synchronous request on syncDevice. *returned (when given) receives the
// bytes the driver reported; it is 0 after a refused request.
bool SendDeviceRequest(uint32_t code, const void* input, uint32_t inputBytes, void* output,
                       uint32_t outputBytes, uint32_t* returned = nullptr);

// A request with a 4-byte answer landing in *value; a refused request leaves
// *value as the caller preset it.
inline bool ReadDriverWord(uint32_t code, void* value, uint32_t* returned = nullptr) {
    return SendDeviceRequest(code, nullptr, 0, value, 4, returned);
}

}  // namespace qlclapi
