#include "support/language_setup.h"

#include <gtest/gtest.h>

#include <atomic>

namespace qltest {

namespace {

constexpr wchar_t kClientKey[] = L"SOFTWARE\\Quorlan";
constexpr wchar_t kSetupKey[] = L"SOFTWARE\\Quorlan\\Setup";

void SetValue(const wchar_t* subkey, REGSAM view, const wchar_t* name, DWORD type, const void* bytes, DWORD size) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, subkey, 0, nullptr, 0, KEY_SET_VALUE | view, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(bytes), size), ERROR_SUCCESS);
    RegCloseKey(key);
}

void DeleteValue(const wchar_t* subkey, REGSAM view, const wchar_t* name) {
    HKEY key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, subkey, 0, KEY_SET_VALUE | view, &key) != ERROR_SUCCESS) return;
    RegDeleteValueW(key, name);
    RegCloseKey(key);
}

bool MakeFolders(const std::wstring& path) {
    for (size_t at = path.find(L'\\', 3); at != std::wstring::npos; at = path.find(L'\\', at + 1))
        CreateDirectoryW(path.substr(0, at).c_str(), nullptr);
    return true;
}

void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(folder + name + L"\\");
            else
                DeleteFileW((folder + name).c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}

}  // namespace

void SetLanguageBytes(const void* bytes, DWORD size, DWORD type) {
    SetValue(kClientKey, KEY_WOW64_64KEY, L"Language", type, bytes, size);
}

void SetLanguage(const std::wstring& language) {
    SetLanguageBytes(language.c_str(), DWORD((language.size() + 1) * sizeof(wchar_t)));
}

void SetInstallLocationBytes(REGSAM view, const void* bytes, DWORD size) {
    SetValue(kSetupKey, view, L"LastInstallLocation", REG_SZ, bytes, size);
}

void SetInstallLocation(REGSAM view, const std::wstring& location) {
    SetInstallLocationBytes(view, location.c_str(), DWORD((location.size() + 1) * sizeof(wchar_t)));
}

void ClearLanguageSettings() {
    for (REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) {
        DeleteValue(kClientKey, view, L"Language");
        DeleteValue(kSetupKey, view, L"LastInstallLocation");
    }
}

std::wstring BuildDirectory() {
    wchar_t path[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

std::wstring BuiltModule(const std::wstring& name) {
    const std::wstring folder = name == L"qps-ploc" ? BuildDirectory() : BuildDirectory() + L"test-modules\\";
    return folder + name + L"\\qlclapi.resources.dll";
}

ScratchInstall::ScratchInstall() {
    static std::atomic<unsigned> count{0};
    wchar_t temp[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, temp);
    root_ = std::wstring(temp) + L"qlstatus-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(count++) + L"\\";
    RemoveTree(root_);
    EXPECT_TRUE(copy(BuildDirectory() + L"qlclapi.dll", L"lib\\qlclapi.dll"));
}

ScratchInstall::~ScratchInstall() { removeAll(); }

bool ScratchInstall::removeAll() {
    RemoveTree(root_);
    return GetFileAttributesW(root_.c_str()) == INVALID_FILE_ATTRIBUTES;
}

bool ScratchInstall::copy(const std::wstring& from, const std::wstring& relative) {
    MakeFolders(root_ + relative);
    return CopyFileW(from.c_str(), (root_ + relative).c_str(), FALSE) != FALSE;
}

bool ScratchInstall::write(const std::wstring& relative, const std::string& bytes) {
    MakeFolders(root_ + relative);
    HANDLE file = CreateFileW((root_ + relative).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const BOOL ok = WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size();
}

bool ScratchInstall::makeFolder(const std::wstring& relative) {
    MakeFolders(root_ + relative + L"\\");
    return GetFileAttributesW((root_ + relative).c_str()) & FILE_ATTRIBUTE_DIRECTORY;
}

}  // namespace qltest
