// The library entry. Loading never fails because of the driver: without it
// every driver-facing export answers "not available".
#include <windows.h>

#include "core/driver_channel.h"

namespace __gnu_cxx {
// The C++ runtime's release of what it holds for the life of the image: its
// emergency pool for exceptions thrown when memory runs out.
void __freeres();
}  // namespace __gnu_cxx

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        qlclapi::AttachDriverChannel(instance);
        break;
    case DLL_PROCESS_DETACH:
        // A notification still pending ends when its handle closes.
        qlclapi::DetachDriverChannel();
        // Unloaded by FreeLibrary (reserved is null), the host goes on and
        // would keep the pool for good: a host that loads the library on
        // demand would lose it at every unload. At process exit (reserved
        // set) other threads may still be inside the runtime, and the
        // memory goes with the process anyway.
        if (!reserved) __gnu_cxx::__freeres();
        break;
    default:
        break;  // thread attach and detach: nothing to do
    }
    return TRUE;
}
