#include "config/registry_tree_win.h"

#include <cwchar>

#include "core/heap_buffer.h"
#include "core/win_resource_win.h"

namespace qlclapi {

namespace {

constexpr DWORD kValueNameUnits = 129;    // 128 characters and the terminator
constexpr DWORD kValueDataBytes = 2048;
constexpr DWORD kSubkeyNameUnits = 256;   // the platform's longest key name and the terminator
constexpr size_t kDeleteNameUnits = 513;  // 512 characters and the terminator
constexpr size_t kDeletePathUnits = 1025;

}  // namespace

HeapBuffer<uint8_t> ReadKeySecurity(HKEY key) {
    HeapBuffer<uint8_t> security(kKeySecurityBytes);
    DWORD bytes = kKeySecurityBytes;
    if (security.ok() && RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, security.data(), &bytes) != ERROR_SUCCESS)
        security.release();
    return security;
}

bool CopyRegistryValues(HKEY source, HKEY destination) {
    bool allWritten = true;
    wchar_t name[kValueNameUnits];
    BYTE data[kValueDataBytes];
    for (DWORD index = 0;; ++index) {
        DWORD nameUnits = kValueNameUnits;
        DWORD dataBytes = sizeof data;
        DWORD type = REG_NONE;
        // ERROR_MORE_DATA (a value too large to copy) ends the copying, as
        // does the end of the values.
        if (RegEnumValueW(source, index, name, &nameUnits, nullptr, &type, data, &dataBytes) != ERROR_SUCCESS)
            return allWritten;
        if (RegSetValueExW(destination, name, 0, type, data, dataBytes) != ERROR_SUCCESS) allWritten = false;
    }
}

bool CopyRegistrySubkeys(HKEY source, HKEY destination, REGSAM sourceView, REGSAM destinationView) {
    bool allCopied = true;
    wchar_t name[kSubkeyNameUnits];
    for (DWORD index = 0; RegEnumKeyW(source, index, name, kSubkeyNameUnits) == ERROR_SUCCESS; ++index)
        if (!CopyRegistryTree(source, name, destination, name, sourceView, destinationView)) allCopied = false;
    return allCopied;
}

bool CopyRegistryTree(HKEY sourceParent, const wchar_t* sourceSubkey, HKEY destinationParent,
                      const wchar_t* destinationSubkey, REGSAM sourceView, REGSAM destinationView) {
    RegistryKey source;
    if (RegOpenKeyExW(sourceParent, sourceSubkey, 0, KEY_ALL_ACCESS | sourceView, source.receive()) != ERROR_SUCCESS)
        return false;
    HeapBuffer<uint8_t> security = ReadKeySecurity(sourceParent);
    // The record's length is the platform's own: 12 bytes in the 32-bit build.
    SECURITY_ATTRIBUTES attributes = {sizeof attributes, security.data(), FALSE};
    RegistryKey destination;
    if (RegCreateKeyExW(destinationParent, destinationSubkey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_WRITE | destinationView, security.ok() ? &attributes : nullptr, destination.receive(),
                        nullptr) != ERROR_SUCCESS)
        return false;
    const bool valuesCopied = CopyRegistryValues(source.get(), destination.get());
    const bool subkeysCopied = CopyRegistrySubkeys(source.get(), destination.get(), sourceView, destinationView);
    return valuesCopied && subkeysCopied;
}

bool DeleteRegistryTree(HKEY hive, const wchar_t* subkey, REGSAM view) {
    if (!subkey) return false;
    {
        RegistryKey key;
        if (RegOpenKeyExW(hive, subkey, 0, KEY_READ | view, key.receive()) == ERROR_SUCCESS) {
            // On the heap: a hostile tree can be hundreds of levels deep.
            HeapBuffer<wchar_t> names(kDeleteNameUnits + kDeletePathUnits);
            if (!names.ok()) return false;
            wchar_t* child = names.data();
            wchar_t* path = child + kDeleteNameUnits;
            const size_t subkeyLength = wcslen(subkey);
            // Always the first subkey: each one deleted moves the next to the
            // front. One that stays (it could not be deleted) ends the loop.
            while (RegEnumKeyW(key.get(), 0, child, kDeleteNameUnits) == ERROR_SUCCESS) {
                const size_t childLength = wcslen(child);
                if (subkeyLength + 1 + childLength >= kDeletePathUnits) return false;
                wmemcpy(path, subkey, subkeyLength);
                path[subkeyLength] = L'\\';
                wmemcpy(path + subkeyLength + 1, child, childLength + 1);
                if (!DeleteRegistryTree(hive, path, view)) return false;
            }
        }
    }
    return RegDeleteKeyExW(hive, subkey, view, 0) == ERROR_SUCCESS;
}

bool MoveRegistryTree(HKEY hive, const wchar_t* subkey, const wchar_t* destinationSubkey, REGSAM sourceView,
                      REGSAM destinationView) {
    return CopyRegistryTree(hive, subkey, hive, destinationSubkey, sourceView, destinationView) &&
           DeleteRegistryTree(hive, subkey, sourceView);
}

bool CopyKeyAcrossViews(const wchar_t* subkey, uint32_t direction) {
    const REGSAM from = direction == 1 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;
    const REGSAM to = direction == 1 ? KEY_WOW64_64KEY : KEY_WOW64_32KEY;
    return CopyRegistryTree(HKEY_LOCAL_MACHINE, subkey, HKEY_LOCAL_MACHINE, subkey, from, to);
}

}  // namespace qlclapi
