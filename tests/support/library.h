// qlclapi.dll loaded the way an application loads it: LoadLibrary, then
// GetProcAddress by export name.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "export_list.h"
#include "qlclapi.h"

namespace qltest {

// Every export of qlclapi.dll, each resolved by its name through its own
// PFN_ type (the list is generated from api/exports/*.txt); null when the
// library lacks it.
struct Exports {
#define QL_EXPORT_MEMBER(name) PFN_##name name = nullptr;
    QL_FOR_EACH_EXPORT(QL_EXPORT_MEMBER)
#undef QL_EXPORT_MEMBER
};

class Library {
public:
    Library();  // loads; check loaded() (a test asserts it)
    ~Library();
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;

    bool loaded() const { return module_ != nullptr; }
    // Runs the detach steps now; the destructor then does nothing.
    void unload();

    // Every export, resolved when the library was loaded.
    const Exports& exports() const { return exports_; }

    // The export `name`, or null (a test asserts it through require()).
    FARPROC find(const char* name) const;
    template <typename Function>
    Function get(const char* name) const {
        // Through void*: FARPROC's own signature says nothing about the export's.
        return reinterpret_cast<Function>(reinterpret_cast<void*>(find(name)));
    }

private:
    HMODULE module_;
    Exports exports_;
};

// The signature of an export's PFN_ type without its calling convention, so
// that a plain export and its stdcall VB twin fit one std::function.
template <typename Pointer>
struct SignatureOf;
template <typename Result, typename... Arguments>
struct SignatureOf<Result(__cdecl*)(Arguments...)> {
    using type = Result(Arguments...);
};
#if defined(__i386__)
template <typename Result, typename... Arguments>
struct SignatureOf<Result(__stdcall*)(Arguments...)> {
    using type = Result(Arguments...);
};
#endif

// An export resolved through its own PFN_ type, held with its name so that
// tables can list plain exports and VB twins side by side. `call` is empty
// when the library lacks the export.
template <typename Signature>
struct NamedCall {
    const char* name;
    std::function<Signature> call;
};

template <typename Pfn>
NamedCall<typename SignatureOf<Pfn>::type> Resolve(const Library& library, const char* name) {
    return {name, library.get<Pfn>(name)};
}

// A plain export and its VB twin; the twin's signature must be the plain one.
template <typename Plain, typename Twin>
std::vector<NamedCall<typename SignatureOf<Plain>::type>> PlainAndTwin(const Library& library, const char* plain,
                                                                       const char* twin) {
    return {Resolve<Plain>(library, plain), {twin, library.get<Twin>(twin)}};
}

}  // namespace qltest

// Name and type always agree: on x86 a stdcall twin called through a cdecl
// type (or the reverse) leaves the stack unbalanced.
#define QL_FIND(library, name) (library).get<PFN_##name>(#name)
#define QL_RESOLVE(library, name) qltest::Resolve<PFN_##name>(library, #name)
// For tables: the export's name and its resolver, QL_NAMED(QuorlanEnableVB).
#define QL_NAMED(name) #name, &qltest::Resolve<PFN_##name>
#define QL_PLAIN_AND_TWIN(library, name) qltest::PlainAndTwin<PFN_##name, PFN_##name##VB>(library, #name, #name "VB")

// Resolves an export into a variable named like it, failing the test when
// the export is missing: QL_EXPORT(lib, QuorlanGetVersion) declares
// `QuorlanGetVersion` of type PFN_QuorlanGetVersion.
#define QL_EXPORT(library, name)                                   \
    PFN_##name name = QL_FIND(library, name);                      \
    ASSERT_NE(name, nullptr) << "qlclapi.dll does not export " #name
