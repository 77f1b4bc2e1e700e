// Reading the client's settings from the two stores below the current state
// key. Which store is in use is decided afresh by every read: a cookie
// (value Cookie of subkey Settings) of any size other than 0 selects the
// text store (subkeys Settings and UserSettings, one value per setting,
// named by FormatSettingId), a missing or empty cookie the binary store
// (the SettingsBlobs RpcSettings and RpcUserSettings of the current state
// key, chunked binary values). See settings_blob.h for the blob.
//
// Arguments marked reserved are passed down by the client's callers and
// not used; pass 0. Every read returns a ConfigStatus.
#pragma once

#include <cstdint>
#include <string>

#include "config/config_status.h"

namespace qlclapi {

// 1 when the cookie is missing or empty (the binary store is in use).
uint32_t IsSettingsCookieAbsent(uint32_t reserved);

// Deletes Cookie and then, in catalogue order, every setting's value from
// the given subkey of the current state key; the status of the last delete.
ConfigStatus ClearSettingsText(const wchar_t* subkey);

// A number setting. *value changes only on success, so the caller's preset
// stands as the default. From the text store: at most 12 units of decimal
// text read as atol reads it (settings_number.h). From the binary store:
// the entry's bytes, at most 4, over the first bytes of *value; a longer
// entry gives 0x80000007. 0x80000006 when value is null.
ConfigStatus ReadSettingDword(uint32_t id, uint32_t* value, uint32_t reserved);

// A text setting into buffer (*units UTF-16 units; a null buffer only with
// *units 0, as a size query). From the text store as ReadSettingText; from
// the binary store the entry's bytes as they are, *units set to their
// count halved. No terminator is added: compare *units with the capacity.
ConfigStatus ReadSettingString(uint32_t id, wchar_t* buffer, uint32_t* units, uint32_t reserved1,
                               uint32_t reserved2);

// The text store's read. A setting with flag 0x4, or one the catalogue does
// not know, is refused (0x80000000) unless ignoreFlags is set. A user
// setting is read from UserSettings first unless skipUser is set; when that
// fails, from Settings.
ConfigStatus ReadSettingText(uint32_t id, wchar_t* buffer, uint32_t* units, uint32_t skipUser,
                             uint32_t ignoreFlags, uint32_t reserved1, uint32_t reserved2);

// The binary store's read: RpcUserSettings for a user setting (RpcSettings
// only when RpcUserSettings cannot be read at all), else RpcSettings. An
// empty or missing-but-readable store is success with *bytes 0; an entry
// larger than the capacity gives 0x80000007 with its size in *bytes.
ConfigStatus ReadBlobSetting(uint32_t id, void* buffer, uint32_t* bytes, uint32_t reserved);

}  // namespace qlclapi
