#include "config/client_key_win.h"

#include <cwchar>

#include "config/chunk_chain.h"
#include "config/client_key_path.h"
#include "core/win_resource_win.h"

namespace qlclapi {

namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "wchar_t holds UTF-16 units");
const char16_t* U16(const wchar_t* text) { return reinterpret_cast<const char16_t*>(text); }
const wchar_t* Wide(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }

// The current subkey's name from the state key; false when the key or the
// value is missing, or the value is not a usable name.
bool ReadCurrentSubkeyName(char16_t (&name)[kCurrentSubkeyUnits]) {
    RegistryKey state(OpenClientKey(kClientState, false, nullptr));
    if (!state) return false;
    char16_t stored[kCurrentSubkeyUnits] = {};
    DWORD type = REG_NONE;
    DWORD bytes = sizeof stored;
    LONG status = RegQueryValueExW(state.get(), Wide(kCurrentSubkeyValue), nullptr, &type,
                                   reinterpret_cast<BYTE*>(stored), &bytes);
    // A name of another type would be read as text it never was.
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return false;
    return CurrentSubkeyName(stored, bytes > sizeof stored ? sizeof stored : bytes, name);
}

bool BuildPath(ClientKey which, const wchar_t* subkey, char16_t (&path)[kClientKeyPathUnits]) {
    char16_t current[kCurrentSubkeyUnits] = {};
    if (which == kClientCurrent && !ReadCurrentSubkeyName(current)) return false;
    BuildClientKeyPath(which, current, U16(subkey), path);
    return true;
}

}  // namespace

HKEY OpenClientKey(ClientKey which, bool create, const wchar_t* subkey) {
    char16_t path[kClientKeyPathUnits];
    if (!BuildPath(which, subkey, path)) return nullptr;
    HKEY key = nullptr;
    LONG status = create ? RegCreateKeyW(HKEY_LOCAL_MACHINE, Wide(path), &key)
                         : RegOpenKeyW(HKEY_LOCAL_MACHINE, Wide(path), &key);
    return status == ERROR_SUCCESS ? key : nullptr;
}

ConfigStatus GetClientKeyPath(ClientKey which, const wchar_t* subkey, wchar_t* buffer, size_t capacity) {
    if (!buffer || capacity == 0) return kConfigInvalidArgument;
    buffer[0] = 0;
    char16_t path[kClientKeyPathUnits];
    if (!BuildPath(which, subkey, path)) return kConfigFailed;
    AppendBounded(reinterpret_cast<char16_t*>(buffer), capacity, path);
    return kConfigOk;
}

ConfigStatus ReadClientDword(uint32_t* value, const wchar_t* name, const wchar_t* subkey, ClientKey which) {
    if (!value) return kConfigInvalidArgument;
    RegistryKey key(OpenClientKey(which, false, subkey));
    if (!key) return kConfigFailed;
    uint32_t read = 0;
    DWORD bytes = sizeof read;
    LONG status = RegQueryValueExW(key.get(), name, nullptr, nullptr, reinterpret_cast<BYTE*>(&read), &bytes);
    // A 2-byte value would leave half of *value stale; an 8-byte one is not a
    // 32-bit number at all.
    if (status != ERROR_SUCCESS || bytes != sizeof read) return kConfigFailed;
    *value = read;
    return kConfigOk;
}

ConfigStatus ReadClientDword(uint32_t* value, const wchar_t* name, ClientKey which) {
    return ReadClientDword(value, name, nullptr, which);
}

ConfigStatus ReadClientString(wchar_t* buffer, uint32_t* units, const wchar_t* name, const wchar_t* subkey,
                              ClientKey which) {
    if (!units) return kConfigInvalidArgument;
    RegistryKey key(OpenClientKey(which, false, subkey));
    if (!key) return kConfigFailed;
    // Registry sizes are 32-bit byte counts: a larger capacity is only a
    // larger promise than the registry can hold anyway.
    const DWORD capacity = !buffer ? 0 : *units > 0x7FFFFFFFu ? 0xFFFFFFFEu : *units * 2;
    DWORD bytes = capacity;
    DWORD type = REG_NONE;
    LONG status = RegQueryValueExW(key.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &bytes);
    // Only text is read as text: a number or binary data under a text's
    // name counts as no value, and the caller's buffer shows no text.
    if ((status == ERROR_SUCCESS || status == ERROR_MORE_DATA) && type != REG_SZ && type != REG_EXPAND_SZ) {
        if (buffer && capacity >= sizeof(wchar_t)) buffer[0] = 0;
        return kConfigFailed;
    }
    // Needed counts are taken up to whole units, so that a buffer of that
    // many units holds every byte of a value of odd length.
    if (status == ERROR_MORE_DATA || (status == ERROR_SUCCESS && !buffer)) {
        *units = bytes / 2 + bytes % 2;
        return buffer ? kConfigFailed : kConfigOk;
    }
    if (status != ERROR_SUCCESS) return kConfigFailed;
    *units = bytes / 2;
    return kConfigOk;
}

ConfigStatus ReadClientBinary(void* buffer, uint32_t* bytes, const wchar_t* name, const wchar_t* subkey,
                              ClientKey which) {
    if (!bytes) return kConfigInvalidArgument;
    RegistryKey key(OpenClientKey(which, false, subkey));
    if (!key) return kConfigFailed;
    auto readPiece = [&key](const char16_t* piece, uint8_t* destination, uint32_t room, uint32_t* reported) {
        DWORD size = room;
        LONG status = RegQueryValueExW(key.get(), Wide(piece), nullptr, nullptr, destination, &size);
        *reported = size;
        return static_cast<long>(status);
    };
    ChunkReadResult result = ReadChunkChain(U16(name), static_cast<uint8_t*>(buffer), *bytes, readPiece);
    *bytes = result.total;
    return result.firstResult == kRegistrySuccess ? kConfigOk : kConfigFailed;
}

ConfigStatus WriteClientDword(uint32_t value, const wchar_t* name, const wchar_t* subkey, ClientKey which) {
    RegistryKey key(OpenClientKey(which, true, subkey));
    if (!key) return kConfigFailed;
    LONG status = RegSetValueExW(key.get(), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    return status == ERROR_SUCCESS ? kConfigOk : kConfigFailed;
}

ConfigStatus WriteClientString(const wchar_t* text, const wchar_t* name, const wchar_t* subkey, ClientKey which) {
    RegistryKey key(OpenClientKey(which, true, subkey));
    if (!key) return kConfigFailed;
    if (!text) text = L"";
    size_t length = wcslen(text);
    if (length >= 0x7FFFFFFFu / 2) return kConfigFailed;
    LONG status = RegSetValueExW(key.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                                 static_cast<DWORD>((length + 1) * 2));
    return status == ERROR_SUCCESS ? kConfigOk : kConfigFailed;
}

ConfigStatus WriteClientBinary(const void* data, uint32_t bytes, const wchar_t* name, const wchar_t* subkey,
                               ClientKey which) {
    if (!data && bytes) return kConfigInvalidArgument;
    RegistryKey key(OpenClientKey(which, true, subkey));
    if (!key) return kConfigFailed;
    auto writePiece = [&key](const char16_t* piece, const uint8_t* pieceData, uint32_t pieceBytes) {
        return static_cast<long>(RegSetValueExW(key.get(), Wide(piece), 0, REG_BINARY, pieceData, pieceBytes));
    };
    auto deletePiece = [&key](const char16_t* piece) { RegDeleteValueW(key.get(), Wide(piece)); };
    long last = WriteChunkChain(U16(name), static_cast<const uint8_t*>(data), bytes, writePiece, deletePiece);
    return last == kRegistrySuccess ? kConfigOk : kConfigFailed;
}

ConfigStatus DeleteClientValue(const wchar_t* name, const wchar_t* subkey, ClientKey which) {
    RegistryKey key(OpenClientKey(which, true, subkey));
    if (!key) return kConfigFailed;
    return RegDeleteValueW(key.get(), name) == ERROR_SUCCESS ? kConfigOk : kConfigFailed;
}

}  // namespace qlclapi
