#include "driver_words.h"

#include <windows.h>

namespace qlctl {

bool ReadDriverWord(uint32_t code, uint32_t& value) {
    HANDLE device = CreateFileW(L"\\\\.\\QLDRV", 0, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (device == INVALID_HANDLE_VALUE) return false;
    uint32_t answer = 0;
    DWORD returned = 0;
    const BOOL ok = DeviceIoControl(device, code, nullptr, 0, &answer, sizeof answer, &returned, nullptr);
    CloseHandle(device);
    if (!ok || returned < sizeof answer) return false;
    value = answer;
    return true;
}

}  // namespace qlctl
