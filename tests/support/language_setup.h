// What decides the language of the status text, set up for a test in the
// Wine prefix's real registry and file system: the Language and
// LastInstallLocation values, and a scratch install of the library with
// language modules (or things that only look like them) where it searches.
#pragma once

#include <windows.h>

#include <string>

namespace qltest {

// HKLM\SOFTWARE\Quorlan "Language", 64-bit view. `bytes` as they are
// stored: no terminator is added.
void SetLanguageBytes(const void* bytes, DWORD size, DWORD type = REG_SZ);
void SetLanguage(const std::wstring& language);  // with its terminator
// HKLM\SOFTWARE\Quorlan\Setup "LastInstallLocation" in one view
// (KEY_WOW64_32KEY or KEY_WOW64_64KEY).
void SetInstallLocationBytes(REGSAM view, const void* bytes, DWORD size);
void SetInstallLocation(REGSAM view, const std::wstring& location);
// Removes both values from every view the library reads.
void ClearLanguageSettings();

// A module the build made: "qps-ploc" beside the library, or a test module
// ("long", "other-version", "no-version", "no-strings").
std::wstring BuiltModule(const std::wstring& name);

// A folder of its own below the temporary folder, holding a copy of
// qlclapi.dll; removed with everything in it when the object goes.
class ScratchInstall {
public:
    ScratchInstall();
    ~ScratchInstall();
    ScratchInstall(const ScratchInstall&) = delete;
    ScratchInstall& operator=(const ScratchInstall&) = delete;

    const std::wstring& root() const { return root_; }  // with a trailing backslash
    std::wstring library() const { return root_ + L"lib\\qlclapi.dll"; }
    // Copies `from` to root()+relative, making the folders on the way.
    bool copy(const std::wstring& from, const std::wstring& relative);
    bool write(const std::wstring& relative, const std::string& bytes);
    bool makeFolder(const std::wstring& relative);
    // Deletes the folder and everything in it; false when anything stays
    // (a file still mapped by a module that was not freed).
    bool removeAll();

private:
    std::wstring root_;
};

}  // namespace qltest
