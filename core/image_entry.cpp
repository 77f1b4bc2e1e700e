// The image's entry point, ahead of the C runtime's own DLL entry.
//
// The C runtime would hook its per-thread bookkeeping (running the thread-key
// destructors of the exception runtime's per-thread state, and initialising
// the lock they are registered under) into every thread of the host as a TLS
// callback, which makes the loader give the image a TLS directory. This
// library keeps that bookkeeping but drives it from the loader's ordinary
// notifications of the DLL entry instead, so the image has no TLS directory
// and nothing runs in the host's threads that the DLL entry does not see.
#include <windows.h>

extern "C" {

// Defined here, the C runtime's TLS support (its TLS directory and
// callbacks) is never linked in; its DLL start-up skips a null callback.
extern const PIMAGE_TLS_CALLBACK __dyn_tls_init_callback = nullptr;

// The C runtime's handler of thread-key destructors; cdecl.
BOOL __mingw_TLScallback(HANDLE module, DWORD reason, LPVOID reserved);
BOOL WINAPI DllMainCRTStartup(HANDLE module, DWORD reason, LPVOID reserved);

// The linker's entry point of qlclapi.dll (see cmake/windows.cmake).
BOOL WINAPI QlclapiImageEntry(HANDLE module, DWORD reason, LPVOID reserved) {
    // The key lock must exist before static constructors run, as it would
    // under the TLS callback, which the loader calls before the entry.
    if (reason == DLL_PROCESS_ATTACH) __mingw_TLScallback(module, reason, reserved);
    const BOOL result = DllMainCRTStartup(module, reason, reserved);
    // A thread leaving the host releases what the runtime kept for it.
    if (reason == DLL_THREAD_DETACH || reason == DLL_PROCESS_DETACH) __mingw_TLScallback(module, reason, reserved);
    return result;
}

}  // extern "C"
