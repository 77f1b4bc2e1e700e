#include "support/settings_stores.h"

#include <windows.h>

#include "registry_raw.h"

namespace qltest {

const wchar_t* const SettingsStores::kStatePath =
    L"SYSTEM\\CurrentControlSet\\Services\\QLDRV\\Params\\Vorantis Client State";
const wchar_t* const SettingsStores::kParamsPath = L"SYSTEM\\CurrentControlSet\\Services\\QLDRV\\Params\\Vorantis Client";
const wchar_t* const SettingsStores::kCurrentPath =
    L"SYSTEM\\CurrentControlSet\\Services\\QLDRV\\Params\\Vorantis Client State\\Current";

namespace {

std::wstring Below(const wchar_t* path, const wchar_t* subkey) {
    return subkey ? std::wstring(path) + L"\\" + subkey : std::wstring(path);
}

// The bytes as given: a string without its terminator stays without one.
bool SetValue(const std::wstring& path, const std::wstring& name, DWORD type, const void* data, DWORD bytes) {
    HKEY key;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr))
        return false;
    bool written = qlsim::SetRawValue(key, name.c_str(), type, data, bytes);
    RegCloseKey(key);
    return written;
}

std::wstring ValueName(uint32_t id) {
    wchar_t name[16];
    swprintf(name, 16, L"%08X", id);
    return name;
}

bool EnsureCurrentSubkey() {
    const wchar_t name[] = L"Current";
    return SetValue(SettingsStores::kStatePath, L"CurrentSubkey", REG_SZ, name, sizeof name);
}

}  // namespace

bool SettingsStores::Clear() {
    if (!EnsureCurrentSubkey()) return false;
    for (const wchar_t* subkey : {L"Settings", L"UserSettings"}) {
        LONG status = RegDeleteTreeW(HKEY_LOCAL_MACHINE, Below(kCurrentPath, subkey).c_str());
        if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) return false;
    }
    for (const wchar_t* value : {L"RpcSettings", L"RpcSettings__0", L"RpcSettings__1", L"RpcUserSettings",
                                 L"RpcUserSettings__0"})
        DeleteValue(kCurrentPath, value);
    return true;
}

bool SettingsStores::UseTextStore() {
    const uint8_t cookie[] = {1, 2, 3, 4};
    return EnsureCurrentSubkey() && SetValue(Below(kCurrentPath, L"Settings"), L"Cookie", REG_BINARY, cookie, 4);
}

bool SettingsStores::UseBinaryStore() {
    DeleteValue(Below(kCurrentPath, L"Settings").c_str(), L"Cookie");
    return true;
}

bool SettingsStores::SetText(uint32_t id, const std::wstring& text, bool user, bool terminated) {
    return EnsureCurrentSubkey() &&
           SetValue(Below(kCurrentPath, user ? L"UserSettings" : L"Settings"), ValueName(id), REG_SZ, text.c_str(),
                    DWORD((text.size() + (terminated ? 1 : 0)) * sizeof(wchar_t)));
}

bool SettingsStores::SetBlob(const std::vector<uint8_t>& blob, bool user) {
    if (!EnsureCurrentSubkey()) return false;
    const std::wstring name = user ? L"RpcUserSettings" : L"RpcSettings";
    auto pieceName = [&name](size_t piece) { return piece == 0 ? name : name + L"__" + std::to_wstring(piece - 1); };
    size_t piece = 0;
    for (size_t offset = 0; offset < blob.size() || piece == 0; offset += 65536, ++piece) {
        const DWORD bytes = DWORD(blob.size() - offset < 65536 ? blob.size() - offset : 65536);
        if (!SetValue(kCurrentPath, pieceName(piece), REG_BINARY, blob.data() + offset, bytes)) return false;
    }
    // The first unused piece name ends the chain, as the client leaves it.
    DeleteValue(kCurrentPath, pieceName(piece).c_str());
    return true;
}

bool SettingsStores::SetStateDword(const wchar_t* name, uint32_t value, bool current) {
    return SetValue(current ? kCurrentPath : kStatePath, name, REG_DWORD, &value, 4);
}

bool SettingsStores::SetParamsDword(const wchar_t* name, uint32_t value) {
    return SetValue(kParamsPath, name, REG_DWORD, &value, 4);
}

bool SettingsStores::SetStateString(const wchar_t* name, const std::wstring& text) {
    return SetValue(kStatePath, name, REG_SZ, text.c_str(), DWORD((text.size() + 1) * sizeof(wchar_t)));
}

bool SettingsStores::DeleteValue(const wchar_t* keyPath, const wchar_t* name) {
    HKEY key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, keyPath, 0, KEY_SET_VALUE, &key)) return false;
    LONG status = RegDeleteValueW(key, name);
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

uint32_t SettingsStores::ReadStateDword(const wchar_t* name, uint32_t missing) {
    uint32_t value = missing;
    DWORD bytes = sizeof value;
    if (RegGetValueW(HKEY_LOCAL_MACHINE, kCurrentPath, name, RRF_RT_REG_DWORD, nullptr, &value, &bytes))
        return missing;
    return value;
}

}  // namespace qltest
