// qlclapi.dll as an application loads it: LoadLibraryW on the copy beside
// qlctl.exe, then GetProcAddress by export name.
#pragma once

#include <windows.h>

#include "qlclapi.h"

namespace qlctl {

class ClientLibrary {
public:
    ClientLibrary() = default;
    ~ClientLibrary();
    ClientLibrary(const ClientLibrary&) = delete;
    ClientLibrary& operator=(const ClientLibrary&) = delete;

    // The export `name`, loading the library on first use. Null, with the
    // reason printed to standard error, when the library cannot be loaded or
    // lacks the export. Use QLCTL_EXPORT so that name and type agree.
    template <typename Function>
    Function find(const char* name) {
        // Through void*: FARPROC's own signature says nothing about the export's.
        return reinterpret_cast<Function>(reinterpret_cast<void*>(findExport(name)));
    }

    // The loaded library itself (for its resources), or null when it
    // cannot be loaded (the reason is printed).
    HMODULE module() { return load() ? module_ : nullptr; }

private:
    bool load();
    FARPROC findExport(const char* name);

    HMODULE module_ = nullptr;
    bool loadFailed_ = false;
};

}  // namespace qlctl

// QLCTL_EXPORT(library, QuorlanGetVersion) is a PFN_QuorlanGetVersion, or null.
#define QLCTL_EXPORT(library, name) (library).find<PFN_##name>(#name)
