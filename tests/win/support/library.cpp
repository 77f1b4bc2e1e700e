#include "support/library.h"

namespace qltest {

Library::Library() : module_(LoadLibraryW(L"qlclapi.dll")) {}

Library::~Library() { unload(); }

void Library::unload() {
    if (module_) FreeLibrary(module_);
    module_ = nullptr;
}

FARPROC Library::find(const char* name) const { return module_ ? GetProcAddress(module_, name) : nullptr; }

}  // namespace qltest
