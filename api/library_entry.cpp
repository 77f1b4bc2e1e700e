// The library entry. Loading never fails because of the driver: without it
// every driver-facing export answers "not available". The image's entry
// point (core/runtime) runs the C runtime around this.
#include <windows.h>

#include "core/driver_channel_win.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        qlclapi::AttachDriverChannel(instance);
        break;
    case DLL_PROCESS_DETACH:
        // A notification still pending ends when its handle closes.
        qlclapi::DetachDriverChannel();
        break;
    default:
        break;  // thread attach and detach: nothing to do
    }
    return TRUE;
}
