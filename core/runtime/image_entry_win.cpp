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

namespace __gnu_cxx {
// The C++ runtime's release of what it holds for the life of the image: its
// emergency pool for exceptions thrown when memory runs out.
void __freeres();
}  // namespace __gnu_cxx

// The 32-bit runtime's unwinder registers the image's exception frames
// while the image attaches, under a lock whose semaphore it creates then and
// never closes: without more, every load and unload would leave one handle
// behind. The link routes the runtime's CreateSemaphoreW through
// TrackedCreateSemaphore (core/runtime/CMakeLists.txt: --wrap), which notes the
// semaphores made during the attach; they are closed when FreeLibrary unloads
// the image, after the runtime's own detach has run. The library itself
// creates no semaphores.
#if defined(__i386__)
extern "C" decltype(&CreateSemaphoreW) g_createSemaphore __asm__("___real__imp__CreateSemaphoreW@16");

namespace {

HANDLE g_attachSemaphores[16];
LONG g_attachSemaphoreCount;
bool g_attaching;

HANDLE WINAPI TrackedCreateSemaphore(LPSECURITY_ATTRIBUTES attributes, LONG initial, LONG maximum, LPCWSTR name) {
    HANDLE semaphore = g_createSemaphore(attributes, initial, maximum, name);
    if (semaphore && g_attaching) {
        const LONG slot = InterlockedIncrement(&g_attachSemaphoreCount) - 1;
        if (slot < LONG(sizeof g_attachSemaphores / sizeof g_attachSemaphores[0])) g_attachSemaphores[slot] = semaphore;
    }
    return semaphore;
}

void CloseAttachSemaphores() {
    const LONG count = g_attachSemaphoreCount;
    for (LONG i = 0; i < count && i < LONG(sizeof g_attachSemaphores / sizeof g_attachSemaphores[0]); ++i)
        CloseHandle(g_attachSemaphores[i]);
    g_attachSemaphoreCount = 0;
}

}  // namespace

extern "C" decltype(&CreateSemaphoreW) const g_trackedCreateSemaphore __asm__("___wrap__imp__CreateSemaphoreW@16");
decltype(&CreateSemaphoreW) const g_trackedCreateSemaphore = &TrackedCreateSemaphore;
#endif

extern "C" {

// Defined here, the C runtime's TLS support (its TLS directory and
// callbacks) is never linked in; its DLL start-up skips a null callback.
extern const PIMAGE_TLS_CALLBACK __dyn_tls_init_callback = nullptr;

// The C runtime's handler of thread-key destructors; cdecl.
BOOL __mingw_TLScallback(HANDLE module, DWORD reason, LPVOID reserved);
BOOL WINAPI DllMainCRTStartup(HANDLE module, DWORD reason, LPVOID reserved);

// The linker's entry point of qlclapi.dll (see CMakeLists.txt here).
BOOL WINAPI QlclapiImageEntry(HANDLE module, DWORD reason, LPVOID reserved) {
    // The key lock must exist before static constructors run, as it would
    // under the TLS callback, which the loader calls before the entry.
    if (reason == DLL_PROCESS_ATTACH) __mingw_TLScallback(module, reason, reserved);
#if defined(__i386__)
    g_attaching = reason == DLL_PROCESS_ATTACH;
#endif
    const BOOL result = DllMainCRTStartup(module, reason, reserved);
#if defined(__i386__)
    g_attaching = false;
    // Unloaded by FreeLibrary (reserved null): the host goes on without us.
    if (reason == DLL_PROCESS_DETACH && !reserved) CloseAttachSemaphores();
#endif
    // Unloaded by FreeLibrary, the host goes on and would keep the C++
    // runtime's emergency pool for good: a host that loads the library on
    // demand would lose it at every unload. At process exit (reserved set)
    // other threads may still be inside the runtime, and the memory goes
    // with the process anyway.
    if (reason == DLL_PROCESS_DETACH && !reserved) __gnu_cxx::__freeres();
    // A thread leaving the host releases what the runtime kept for it.
    if (reason == DLL_THREAD_DETACH || reason == DLL_PROCESS_DETACH) __mingw_TLScallback(module, reason, reserved);
    return result;
}

}  // extern "C"
