// The language module one status text is composed from, chosen when the
// object is made and freed when it goes: a resource-only library in a folder
// named after the language, beside the library or under the client's
// install location, taken only when its product version equals the
// library's own. Every failure ends in the library's own strings, silently.
//
// Each call keeps its own choice, so no lock is needed and two threads in
// two languages never see each other's module.
#pragma once

#include <windows.h>

#include "core/win_resource_win.h"

namespace qlclapi {

class LanguageModule {
public:
    explicit LanguageModule(HMODULE own);

    // The module to load strings from: the language module, or `own`.
    HMODULE strings() const { return loaded_ ? loaded_.get() : own_; }
    bool usesLanguageModule() const { return loaded_.valid(); }

private:
    HMODULE own_;
    ModuleHandle loaded_;
};

}  // namespace qlclapi
