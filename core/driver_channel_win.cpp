#include "core/driver_channel_win.h"

#include "core/request_codes.h"

namespace qlclapi {

namespace {

// Lives as long as the image; never copied.
DriverChannel g_channel = {INVALID_HANDLE_VALUE, INVALID_HANDLE_VALUE, nullptr, 0, 0};

HANDLE OpenDevice(DWORD flags) {
    return CreateFileW(L"\\\\.\\QLDRV", 0, 0, nullptr, OPEN_EXISTING, flags, nullptr);
}

void CloseDevice(HANDLE& handle) {
    if (handle == INVALID_HANDLE_VALUE) return;
    CloseHandle(handle);
    handle = INVALID_HANDLE_VALUE;
}

}  // namespace

const DriverChannel& Channel() { return g_channel; }

void AttachDriverChannel(HMODULE module) {
    g_channel.moduleHandle = module;
    g_channel.syncDevice = OpenDevice(0);
    // Opened even when the first open failed: the notification calls only
    // need this one.
    g_channel.overlappedDevice = OpenDevice(FILE_FLAG_OVERLAPPED);
    if (g_channel.syncDevice == INVALID_HANDLE_VALUE) {
        // No driver: report our own version and let every call answer
        // "not available" rather than "mismatched".
        g_channel.driverVersion = kLibraryVersion;
        return;
    }
    // A refused request leaves 0, which is then a mismatch.
    ReadDriverWord(RequestCode::DriverVersion, &g_channel.driverVersion);
    if ((g_channel.driverVersion & kInterfaceGenerationMask) != (kLibraryVersion & kInterfaceGenerationMask))
        g_channel.mismatchedDriver = 1;
}

void DetachDriverChannel() {
    CloseDevice(g_channel.syncDevice);
    CloseDevice(g_channel.overlappedDevice);
}

bool SendDeviceRequest(uint32_t code, const void* input, uint32_t inputBytes, void* output,
                       uint32_t outputBytes, uint32_t* returned) {
    DWORD bytes = 0;
    // DeviceIoControl takes a non-const input pointer but only reads it.
    BOOL ok = DeviceIoControl(g_channel.syncDevice, code, const_cast<void*>(input), inputBytes, output,
                              outputBytes, &bytes, nullptr);
    if (returned) *returned = ok ? bytes : 0;
    return ok != FALSE;
}

}  // namespace qlclapi
