#include "support/language_setup.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>

#include "support/child_process.h"

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

// The folders on the way to `path`, made when missing.
void MakeFolders(const std::wstring& path) {
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
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

std::wstring BuiltModule(const std::wstring& name) {
    const std::wstring folder = name == L"qps-ploc" ? L"" : L"test-modules\\";
    return BesideThisProgram((folder + name + L"\\qlclapi.resources.dll").c_str());
}

ScratchInstall::ScratchInstall() {
    static std::atomic<unsigned> count{0};
    wchar_t temp[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, temp);
    root_ = std::wstring(temp) + L"qlstatus-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(count++) + L"\\";
    removeAll();
    EXPECT_TRUE(copy(BesideThisProgram(L"qlclapi.dll"), L"lib\\qlclapi.dll"));
}

ScratchInstall::~ScratchInstall() { removeAll(); }

bool ScratchInstall::removeAll() {
    std::error_code ignored;  // a file still mapped stays, and shows below
    std::filesystem::remove_all(root_.substr(0, root_.size() - 1), ignored);
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
