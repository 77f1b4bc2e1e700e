#include "client_settings.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cwchar>
#include <vector>

#include "settings_blob_image.h"
#include "sim_config.h"

namespace qlsim {

const wchar_t* const kSettingsTextSubkeys[2] = {L"Settings", L"UserSettings"};
const wchar_t* const kSettingsBlobValues[2] = {L"RpcSettings", L"RpcUserSettings"};

namespace {

constexpr wchar_t kCurrentSubkeyValue[] = L"CurrentSubkey";

bool IsSpace(wchar_t c) { return c == L' ' || (c >= L'\t' && c <= L'\r'); }

// atol's reading, saturated instead of overflowing: a huge number still
// reads as the non-zero value it is.
int32_t LeadingNumber(const std::wstring& text) {
    size_t at = 0;
    while (at < text.size() && IsSpace(text[at])) ++at;
    const bool negative = at < text.size() && text[at] == L'-';
    if (at < text.size() && (text[at] == L'-' || text[at] == L'+')) ++at;
    int64_t magnitude = 0;
    for (; at < text.size() && text[at] >= L'0' && text[at] <= L'9'; ++at)
        magnitude = std::min<int64_t>(magnitude * 10 + (text[at] - L'0'), int64_t(INT32_MAX) + 1);
    return int32_t(negative ? std::max<int64_t>(-magnitude, INT32_MIN) : std::min<int64_t>(magnitude, INT32_MAX));
}

bool ReadBlobNumber(const std::wstring& currentKey, uint32_t id, int32_t& value) {
    std::vector<uint8_t> blob;
    std::vector<BlobEntry> entries;
    ReadChunked(currentKey.c_str(), kSettingsBlobValues[0], blob);
    ReadBlob(blob, entries);  // a damaged blob: the entries before the damage
    for (const BlobEntry& e : entries) {
        if (e.id != id || e.status < 0) continue;
        uint32_t number;
        if (!NumberFromData(e.data, number)) return false;
        value = int32_t(number);
        return true;
    }
    return false;
}

}  // namespace

bool CurrentStateKey(std::wstring& path) {
    std::wstring name;
    if (!ReadText(kClientStateKey, kCurrentSubkeyValue, name) || name.empty()) return false;
    path = std::wstring(kClientStateKey) + L"\\" + name;
    return true;
}

bool EnsureCurrentStateKey(std::wstring& path) {
    return CurrentStateKey(path) ||
           (WriteText(kClientStateKey, kCurrentSubkeyValue, L"Current") == ERROR_SUCCESS && CurrentStateKey(path));
}

std::wstring SettingValueName(uint32_t id) {
    wchar_t name[9];
    swprintf(name, 9, L"%08X", unsigned(id));
    return name;
}

bool TextStoreInUse(const std::wstring& currentKey) {
    std::vector<uint8_t> cookie;
    return ReadChunked((currentKey + L"\\" + kSettingsTextSubkeys[0]).c_str(), kSettingsCookie, cookie) &&
           !cookie.empty();
}

bool ReadMachineNumber(uint32_t id, int32_t& value) {
    std::wstring current, text;
    if (!CurrentStateKey(current)) return false;
    if (!TextStoreInUse(current)) return ReadBlobNumber(current, id, value);
    if (!ReadText((current + L"\\" + kSettingsTextSubkeys[0]).c_str(), SettingValueName(id).c_str(), text))
        return false;
    value = LeadingNumber(text);
    return true;
}

}  // namespace qlsim
