#include "support/library.h"

namespace qltest {

Library::Library() : module_(LoadLibraryW(L"qlclapi.dll")) {
    // Through void*: FARPROC's own signature says nothing about the export's.
#define QL_RESOLVE_MEMBER(name) \
    exports_.name = reinterpret_cast<PFN_##name>(reinterpret_cast<void*>(find(#name)));
    QL_FOR_EACH_EXPORT(QL_RESOLVE_MEMBER)
#undef QL_RESOLVE_MEMBER
}

Library::~Library() { unload(); }

void Library::unload() {
    if (module_) FreeLibrary(module_);
    module_ = nullptr;
}

FARPROC Library::find(const char* name) const { return module_ ? GetProcAddress(module_, name) : nullptr; }

}  // namespace qltest
