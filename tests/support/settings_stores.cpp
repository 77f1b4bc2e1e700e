#include "support/settings_stores.h"

#include <windows.h>

#include "client_settings.h"
#include "sim_config.h"

namespace qltest {

const wchar_t* const SettingsStores::kStatePath = qlsim::kClientStateKey;
const wchar_t* const SettingsStores::kParamsPath = qlsim::kClientParamsKey;
const wchar_t* const SettingsStores::kCurrentPath =
    L"SYSTEM\\CurrentControlSet\\Services\\QLDRV\\Params\\Vorantis Client State\\Current";

namespace {

std::wstring Below(const wchar_t* path, const wchar_t* subkey) { return std::wstring(path) + L"\\" + subkey; }

bool EnsureCurrentSubkey() { return qlsim::SetCurrentSubkey(L"Current") == ERROR_SUCCESS; }

}  // namespace

bool SettingsStores::Clear() {
    if (!EnsureCurrentSubkey()) return false;
    for (int level : {0, 1}) {
        if (qlsim::DeleteKeyTree(Below(kCurrentPath, qlsim::kSettingsTextSubkeys[level]).c_str())) return false;
        qlsim::RemoveValue(kCurrentPath, qlsim::kSettingsBlobValues[level]);
    }
    return true;
}

bool SettingsStores::UseTextStore() {
    return EnsureCurrentSubkey() && qlsim::WriteChunked(Below(kCurrentPath, L"Settings").c_str(), qlsim::kSettingsCookie,
                                                        {1, 2, 3, 4}) == ERROR_SUCCESS;
}

bool SettingsStores::UseBinaryStore() {
    DeleteValue(Below(kCurrentPath, L"Settings").c_str(), qlsim::kSettingsCookie);
    return true;
}

bool SettingsStores::SetText(uint32_t id, const std::wstring& text, bool user, bool terminated) {
    return EnsureCurrentSubkey() &&
           qlsim::WriteText(Below(kCurrentPath, qlsim::kSettingsTextSubkeys[user]).c_str(),
                            qlsim::SettingValueName(id).c_str(), text, terminated) == ERROR_SUCCESS;
}

// Above 65536 bytes split into the chained pieces the client writes, the
// first unused piece name deleted, as the client leaves it.
bool SettingsStores::SetBlob(const std::vector<uint8_t>& blob, bool user) {
    return EnsureCurrentSubkey() &&
           qlsim::WriteChunked(kCurrentPath, qlsim::kSettingsBlobValues[user], blob) == ERROR_SUCCESS;
}

bool SettingsStores::SetStateDword(const wchar_t* name, uint32_t value, bool current) {
    return qlsim::WriteNumber(current ? kCurrentPath : kStatePath, name, value) == ERROR_SUCCESS;
}

bool SettingsStores::SetParamsDword(const wchar_t* name, uint32_t value) {
    return qlsim::WriteNumber(kParamsPath, name, value) == ERROR_SUCCESS;
}

bool SettingsStores::SetStateString(const wchar_t* name, const std::wstring& text) {
    return qlsim::WriteText(kStatePath, name, text) == ERROR_SUCCESS;
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
