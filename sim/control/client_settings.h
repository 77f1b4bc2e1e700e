// The client's settings stores as the client keeps them, below the current
// state key (the client state key's subkey named by CurrentSubkey):
// - the cookie, value Cookie of subkey Settings: one byte or more selects
//   the text store, none the binary store;
// - the text store: subkeys Settings (machine-wide) and UserSettings
//   (per-user), one REG_SZ per setting named by its identifier as 8
//   upper-case hexadecimal digits (24850 is 00006112);
// - the binary store: the chunked values RpcSettings and RpcUserSettings of
//   the current state key, each a blob (settings_blob_image.h).
#pragma once

#include <cstdint>
#include <string>

namespace qlsim {

constexpr wchar_t kSettingsCookie[] = L"Cookie";
// Indexed by level: 0 machine-wide, 1 per-user.
extern const wchar_t* const kSettingsTextSubkeys[2];
extern const wchar_t* const kSettingsBlobValues[2];

// The current state key's path below HKEY_LOCAL_MACHINE; false when
// CurrentSubkey is missing or empty (the client then has no settings).
bool CurrentStateKey(std::wstring& path);
// The same, after writing CurrentSubkey "Current" when there is none.
bool EnsureCurrentStateKey(std::wstring& path);
// The value name of a setting in the text store.
std::wstring SettingValueName(uint32_t id);
// Whether the cookie selects the text store.
bool TextStoreInUse(const std::wstring& currentKey);

// A machine-wide number setting as the client's services read it: with the
// text store in use, the decimal number its text begins with (white space,
// a sign, digits, as atol reads it; no digits give 0); otherwise the
// little-endian bytes (4 at most) of its first entry in RpcSettings that
// carries data. False when it is not stored that way.
bool ReadMachineNumber(uint32_t id, int32_t& value);

}  // namespace qlsim
