#include "config/registry_value_win.h"

#include <cwchar>

#include "core/win_resource_win.h"

namespace qlclapi {

namespace {

bool OpenForReading(HKEY hive, const wchar_t* subkey, REGSAM view, RegistryKey& key) {
    return RegOpenKeyExW(hive, subkey, 0, KEY_READ | view, key.receive()) == ERROR_SUCCESS;
}

// The value's data size, or false when the key or value is missing.
bool QueryValueSize(HKEY hive, const wchar_t* subkey, const wchar_t* name, REGSAM view, DWORD& bytes) {
    RegistryKey key;
    if (!OpenForReading(hive, subkey, view, key)) return false;
    bytes = 0;
    return RegQueryValueExW(key.get(), name, nullptr, nullptr, nullptr, &bytes) == ERROR_SUCCESS;
}

}  // namespace

bool RegistryKeyExists(HKEY hive, const wchar_t* subkey, REGSAM view) {
    RegistryKey key;
    return OpenForReading(hive, subkey, view, key);
}

bool RegistryValueHasData(HKEY hive, const wchar_t* subkey, const wchar_t* name, REGSAM view) {
    DWORD bytes = 0;
    return QueryValueSize(hive, subkey, name, view, bytes) && bytes != 0;
}

uint32_t RegistryValueSize(HKEY hive, const wchar_t* subkey, const wchar_t* name, REGSAM view) {
    DWORD bytes = 0;
    return QueryValueSize(hive, subkey, name, view, bytes) ? bytes : 0;
}

bool RegistryReadValue(HKEY hive, const wchar_t* subkey, const wchar_t* name, void* buffer, uint32_t bytes,
                       REGSAM view) {
    if (!buffer) return false;
    RegistryKey key;
    if (!OpenForReading(hive, subkey, view, key)) return false;
    DWORD size = bytes;
    return RegQueryValueExW(key.get(), name, nullptr, nullptr, static_cast<BYTE*>(buffer), &size) == ERROR_SUCCESS;
}

bool RegistryWriteValue(HKEY hive, const wchar_t* subkey, const wchar_t* name, DWORD type, const void* data,
                        uint32_t bytes, REGSAM view) {
    if (type == REG_SZ && bytes == 0xFFFFFFFFu) {
        if (!data) return false;
        size_t length = wcslen(static_cast<const wchar_t*>(data));
        if (length >= 0x7FFFFFFFu / 2) return false;
        bytes = static_cast<uint32_t>(length * 2 + 2);
    }
    if (!data && bytes) return false;
    RegistryKey key;
    if (RegCreateKeyExW(hive, subkey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE | view, nullptr,
                        key.receive(), nullptr) != ERROR_SUCCESS)
        return false;
    return RegSetValueExW(key.get(), name, 0, type, static_cast<const BYTE*>(data), bytes) == ERROR_SUCCESS;
}

bool RegistryDeleteValue(HKEY hive, const wchar_t* subkey, const wchar_t* name, REGSAM view) {
    RegistryKey key;
    if (RegOpenKeyExW(hive, subkey, 0, KEY_ALL_ACCESS | view, key.receive()) != ERROR_SUCCESS) return false;
    return RegDeleteValueW(key.get(), name) == ERROR_SUCCESS;
}

}  // namespace qlclapi
