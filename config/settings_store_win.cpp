#include "config/settings_store_win.h"

#include <windows.h>

#include <cstring>

#include "config/client_key_win.h"
#include "config/settings_blob.h"
#include "config/settings_catalogue.h"
#include "config/settings_number.h"
#include "core/heap_buffer.h"

namespace qlclapi {

namespace {

constexpr wchar_t kSettingsSubkey[] = L"Settings";
constexpr wchar_t kUserSettingsSubkey[] = L"UserSettings";
constexpr wchar_t kCookieValue[] = L"Cookie";
constexpr wchar_t kRpcSettingsValue[] = L"RpcSettings";
constexpr wchar_t kRpcUserSettingsValue[] = L"RpcUserSettings";

// The cookie is read only for its size; 0 when it is missing or empty, or
// the current state key cannot be opened.
uint32_t CookieBytes() {
    uint32_t bytes = 0;
    ReadClientBinary(nullptr, &bytes, kCookieValue, kSettingsSubkey, kClientCurrent);
    return bytes;
}

void FormatValueName(uint32_t id, wchar_t (&name)[kSettingIdUnits]) {
    FormatSettingId(id, reinterpret_cast<char16_t*>(name), kSettingIdUnits);
}

}  // namespace

uint32_t IsSettingsCookieAbsent(uint32_t) { return CookieBytes() == 0 ? 1 : 0; }

ConfigStatus ClearSettingsText(const wchar_t* subkey) {
    ConfigStatus last = DeleteClientValue(kCookieValue, subkey, kClientCurrent);
    for (const SettingDefinition& entry : kSettingCatalogue) {
        wchar_t name[kSettingIdUnits];
        FormatValueName(entry.id, name);
        last = DeleteClientValue(name, subkey, kClientCurrent);
    }
    return last;
}

ConfigStatus ReadSettingDword(uint32_t id, uint32_t* value, uint32_t) {
    const uint32_t cookie = CookieBytes();
    if (!value) return kConfigInvalidArgument;
    if (cookie == 0) {
        uint32_t bytes = sizeof *value;
        return ReadBlobSetting(id, value, &bytes, 0);
    }
    wchar_t text[kNumberSettingUnits] = {};
    uint32_t units = kNumberSettingUnits;
    ConfigStatus status = ReadSettingText(id, text, &units, 0, 0, 0, 0);
    if (status != kConfigOk) return status;
    // The buffer was zeroed: its text ends at the first zero unit or after
    // the 12 units, whatever the registry said it returned.
    return ParseNumberSetting(reinterpret_cast<const char16_t*>(text), kNumberSettingUnits, value);
}

ConfigStatus ReadSettingString(uint32_t id, wchar_t* buffer, uint32_t* units, uint32_t, uint32_t) {
    if (!units || (!buffer && *units)) return kConfigInvalidArgument;
    if (CookieBytes() != 0) return ReadSettingText(id, buffer, units, 0, 0, 0, 0);
    uint32_t bytes = *units > 0x7FFFFFFFu ? 0xFFFFFFFEu : *units * 2;
    ConfigStatus status = ReadBlobSetting(id, buffer, &bytes, 0);
    *units = bytes / 2;
    return status;
}

ConfigStatus ReadSettingText(uint32_t id, wchar_t* buffer, uint32_t* units, uint32_t skipUser,
                             uint32_t ignoreFlags, uint32_t, uint32_t) {
    if (!units || (!buffer && *units)) return kConfigInvalidArgument;
    const uint32_t capacity = *units;
    if (capacity) buffer[0] = 0;
    wchar_t name[kSettingIdUnits];
    FormatValueName(id, name);
    const bool blocked = !ignoreFlags && IsRefusedByTextStore(id);
    if (!skipUser && IsUserSetting(id)) {
        if (!blocked && ReadClientString(buffer, units, name, kUserSettingsSubkey, kClientCurrent) == kConfigOk)
            return kConfigOk;
        *units = capacity;
        if (capacity) buffer[0] = 0;
    }
    if (blocked) return kConfigFailed;
    return ReadClientString(buffer, units, name, kSettingsSubkey, kClientCurrent);
}

ConfigStatus ReadBlobSetting(uint32_t id, void* buffer, uint32_t* bytes, uint32_t) {
    if (!bytes) return kConfigInvalidArgument;
    const uint32_t capacity = buffer ? *bytes : 0;
    *bytes = 0;
    const wchar_t* store = IsUserSetting(id) ? kRpcUserSettingsValue : kRpcSettingsValue;
    uint32_t total = 0;
    ConfigStatus status = ReadClientBinary(nullptr, &total, store, nullptr, kClientCurrent);
    if (status != kConfigOk && store == kRpcUserSettingsValue) {
        store = kRpcSettingsValue;
        total = 0;
        status = ReadClientBinary(nullptr, &total, store, nullptr, kClientCurrent);
    }
    if (status != kConfigOk) return status;
    if (total == 0) return kConfigOk;
    // Wiped before it is released: settings can hold secrets.
    HeapBuffer<uint8_t> blob(total, Wipe::OnRelease);
    if (!blob.ok()) return kConfigOk;
    uint32_t read = total;
    status = ReadClientBinary(blob.data(), &read, store, nullptr, kClientCurrent);
    if (status != kConfigOk || read == 0) return status;
    // A store that grew since its size was asked reports more than the copy
    // holds: walk only the copy (zero-filled where a piece did not fit).
    BlobSetting found;
    status = FindBlobSetting(blob.data(), read < total ? read : total, id, found);
    if (status != kConfigOk) return status;
    *bytes = found.size;
    if (found.size > capacity) return kConfigBufferTooSmall;
    if (found.size) memcpy(buffer, found.data, found.size);
    return kConfigOk;
}

}  // namespace qlclapi
