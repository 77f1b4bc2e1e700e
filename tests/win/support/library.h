// qlclapi.dll loaded the way an application loads it: LoadLibrary, then
// GetProcAddress by export name.
#pragma once

#include <windows.h>

#include <string>

namespace qltest {

class Library {
public:
    Library();  // loads; check loaded() (a test asserts it)
    ~Library();
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;

    bool loaded() const { return module_ != nullptr; }
    HMODULE module() const { return module_; }
    // Runs the detach steps now; the destructor then does nothing.
    void unload();

    // The export `name`, or null (a test asserts it through require()).
    FARPROC find(const char* name) const;
    template <typename Function>
    Function get(const char* name) const {
        // Through void*: FARPROC's own signature says nothing about the export's.
        return reinterpret_cast<Function>(reinterpret_cast<void*>(find(name)));
    }

private:
    HMODULE module_;
};

}  // namespace qltest

// Resolves an export into a variable named like it, failing the test when
// the export is missing: QL_EXPORT(lib, QuorlanGetVersion) declares
// `QuorlanGetVersion` of type PFN_QuorlanGetVersion.
#define QL_EXPORT(library, name)                                   \
    PFN_##name name = (library).get<PFN_##name>(#name);            \
    ASSERT_NE(name, nullptr) << "qlclapi.dll does not export " #name
