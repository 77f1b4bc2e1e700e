// The client's preferences derived from its settings and from values of its
// keys. No export reaches them; they belong to the settings layer.
#pragma once

#include <cstdint>
#include <string>

#include "config/config_status.h"

namespace qlclapi {

// Writes CurrentSubkey in the client state key.
ConfigStatus SetCurrentSubkey(const wchar_t* name);

// Values of one user below the current state key, under the path of
// BuildUserKeyPath (no prefix). user may be null (__NOBODY__), domain too.
struct UserKey {
    const wchar_t* user;
    const wchar_t* domain;
    bool desktop;
};
ConfigStatus ReadUserDword(const UserKey& who, const wchar_t* name, uint32_t* value);
ConfigStatus WriteUserDword(const UserKey& who, const wchar_t* name, uint32_t value);
ConfigStatus ReadUserBinary(const UserKey& who, const wchar_t* name, void* buffer, uint32_t* bytes);
ConfigStatus WriteUserBinary(const UserKey& who, const wchar_t* name, const void* data, uint32_t bytes);
ConfigStatus WriteUserString(const UserKey& who, const wchar_t* name, const wchar_t* text);

// Deletes SavePassword from the current state key when neither
// A_VES_AlwaysPrompt (default 0) nor A_VES_AllowClientSavePasswordMode
// (default 1) is set. Always 0.
ConfigStatus DropSavedPassword();
// 2 when A_BypassDuringLogoff is set; the parameters key's
// DefaultPassthruMode when A_ClientSetsDefaultPassthruMode (default 1) is
// set and the value is not 3 (3 also when absent); else 1 when
// A_DefaultPassthruMode is set, else 0.
uint32_t GetDefaultPassthruMode();
// The parameters key's DefaultCredentialsOption when
// A_ClientSetsDefaultCredentials (default 1) is set and the value reads and
// is not 3; else A_DefaultCredentials (default 0).
uint32_t GetDefaultCredentialsOption();
uint32_t IsTrayMenuEnabled();  // A_VESEnableTrayMenu, default 1
// 1 for a null or empty name, "<NONE>" in any case, "." and ".\"; else
// whether the name up to its first blank equals the state key's
// ComputerName, ignoring case (0 when that cannot be read).
uint32_t IsLocalAccountName(const wchar_t* name);
// HelloListMask of the current state key, else of the parameters key,
// else 0x106B; ANDed with A_VESAuthHelloListMask when that is set; bit
// 0x10 cleared. Always 0.
ConfigStatus GetHelloListMask(uint32_t* mask);
// UserCredentialType of the current state key (0 when absent); a stored 5
// is rewritten as 8; 4 gives 1; 8 gives 8 when the parameters key's
// AllowCertAuth (default 1) is set, else 1; any other value as stored.
uint32_t GetUserCredentialType();
ConfigStatus GetCustomLogonPrompt(wchar_t* buffer, uint32_t* units);
ConfigStatus GetVorantisUserName(wchar_t* buffer, uint32_t* units);
// 0x80000009 when the parameters key's LogonRepromptCredential was read
// into *value; otherwise the setting A_VES_LogonRepromptCredential.
ConfigStatus GetLogonRepromptCredential(uint32_t* value);
// By the parameters key's AllDialogQuell when it reads (allowed when 0),
// else by A_VES_NeverPrompt (allowed when 0 or unreadable).
uint32_t DialogsAllowed();
uint32_t IsSettingEnabled(uint32_t id);  // a number setting, default 0, not 0
// A text setting whole: read again with a larger buffer while the read
// answers 0x80000007; empty when it cannot be read.
std::wstring ReadSettingStringWhole(uint32_t id);

}  // namespace qlclapi
