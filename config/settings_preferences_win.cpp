#include "config/settings_preferences_win.h"

#include <windows.h>

#include <cwchar>
#include <vector>

#include "config/client_key_win.h"
#include "config/settings_catalogue.h"
#include "config/settings_store_win.h"
#include "config/settings_user_path.h"

namespace qlclapi {

namespace {

// A number setting with the caller's default standing when it cannot be read.
uint32_t SettingOr(uint32_t id, uint32_t preset) {
    uint32_t value = preset;
    ReadSettingDword(id, &value, 0);
    return value;
}

uint32_t DwordOr(const wchar_t* name, ClientKey which, uint32_t preset) {
    uint32_t value = preset;
    ReadClientDword(&value, name, which);
    return value;
}

class UserPath {
public:
    explicit UserPath(const UserKey& who) {
        BuildUserKeyPath(reinterpret_cast<char16_t*>(path_), kUserKeyPathUnits, nullptr,
                         reinterpret_cast<const char16_t*>(who.user), reinterpret_cast<const char16_t*>(who.domain),
                         who.desktop);
    }
    const wchar_t* get() const { return path_; }

private:
    wchar_t path_[kUserKeyPathUnits];
};

}  // namespace

ConfigStatus SetCurrentSubkey(const wchar_t* name) {
    return WriteClientString(name, L"CurrentSubkey", nullptr, kClientState);
}

ConfigStatus ReadUserDword(const UserKey& who, const wchar_t* name, uint32_t* value) {
    return ReadClientDword(value, name, UserPath(who).get(), kClientCurrent);
}

ConfigStatus WriteUserDword(const UserKey& who, const wchar_t* name, uint32_t value) {
    return WriteClientDword(value, name, UserPath(who).get(), kClientCurrent);
}

ConfigStatus ReadUserBinary(const UserKey& who, const wchar_t* name, void* buffer, uint32_t* bytes) {
    return ReadClientBinary(buffer, bytes, name, UserPath(who).get(), kClientCurrent);
}

ConfigStatus WriteUserBinary(const UserKey& who, const wchar_t* name, const void* data, uint32_t bytes) {
    return WriteClientBinary(data, bytes, name, UserPath(who).get(), kClientCurrent);
}

ConfigStatus WriteUserString(const UserKey& who, const wchar_t* name, const wchar_t* text) {
    return WriteClientString(text, name, UserPath(who).get(), kClientCurrent);
}

ConfigStatus DropSavedPassword() {
    if (SettingOr(setting::kAlwaysPrompt, 0) == 0 && SettingOr(setting::kAllowClientSavePasswordMode, 1) == 0)
        DeleteClientValue(L"SavePassword", nullptr, kClientCurrent);
    return kConfigOk;
}

uint32_t GetDefaultPassthruMode() {
    if (SettingOr(setting::kBypassDuringLogoff, 0) != 0) return 2;
    const uint32_t defaultMode = SettingOr(setting::kDefaultPassthruMode, 0);
    const uint32_t clientSets = SettingOr(setting::kClientSetsDefaultPassthruMode, 1);
    const uint32_t stored = DwordOr(L"DefaultPassthruMode", kClientParams, 3);
    if (clientSets != 0 && stored != 3) return stored;
    return defaultMode != 0 ? 1 : 0;
}

uint32_t GetDefaultCredentialsOption() {
    if (SettingOr(setting::kClientSetsDefaultCredentials, 1) != 0) {
        uint32_t stored = 0;
        if (ReadClientDword(&stored, L"DefaultCredentialsOption", kClientParams) == kConfigOk && stored != 3)
            return stored;
    }
    return SettingOr(setting::kDefaultCredentials, 0);
}

uint32_t IsTrayMenuEnabled() { return SettingOr(setting::kEnableTrayMenu, 1) != 0 ? 1 : 0; }

uint32_t IsLocalAccountName(const wchar_t* name) {
    if (!name || !name[0]) return 1;
    if (CompareStringOrdinal(name, -1, L"<NONE>", -1, TRUE) == CSTR_EQUAL) return 1;
    if (wcscmp(name, L".") == 0 || wcscmp(name, L".\\") == 0) return 1;
    wchar_t computer[257] = {};
    uint32_t units = 256;
    if (ReadClientString(computer, &units, L"ComputerName", nullptr, kClientState) != kConfigOk) return 0;
    int length = 0;
    while (name[length] && name[length] != L' ') ++length;
    return CompareStringOrdinal(name, length, computer, -1, TRUE) == CSTR_EQUAL ? 1 : 0;
}

ConfigStatus GetHelloListMask(uint32_t* mask) {
    if (!mask) return kConfigInvalidArgument;
    const uint32_t allowed = SettingOr(setting::kHelloListMask, 0);
    uint32_t value = DwordOr(L"HelloListMask", kClientCurrent, 0);
    if (value == 0) value = DwordOr(L"HelloListMask", kClientParams, 0);
    if (value == 0) value = 0x106B;
    if (allowed != 0) value &= allowed;
    *mask = value & ~0x10u;
    return kConfigOk;
}

uint32_t GetUserCredentialType() {
    uint32_t type = DwordOr(L"UserCredentialType", kClientCurrent, 0);
    if (type == 5) {
        type = 8;
        WriteClientDword(type, L"UserCredentialType", nullptr, kClientCurrent);
    }
    if (type == 4) return 1;
    if (type != 8) return type;
    return DwordOr(L"AllowCertAuth", kClientParams, 1) != 0 ? 8 : 1;
}

ConfigStatus GetCustomLogonPrompt(wchar_t* buffer, uint32_t* units) {
    return ReadSettingString(setting::kCustomLogonPrompt, buffer, units, 0, 0);
}

ConfigStatus GetVorantisUserName(wchar_t* buffer, uint32_t* units) {
    return ReadSettingString(setting::kVorantisUserName, buffer, units, 0, 0);
}

ConfigStatus GetLogonRepromptCredential(uint32_t* value) {
    if (ReadClientDword(value, L"LogonRepromptCredential", kClientParams) == kConfigOk) return kConfigNotFound;
    return ReadSettingDword(setting::kLogonRepromptCredential, value, 0);
}

uint32_t DialogsAllowed() {
    uint32_t quell = 0;
    if (ReadClientDword(&quell, L"AllDialogQuell", kClientParams) == kConfigOk) return quell == 0 ? 1 : 0;
    return SettingOr(setting::kNeverPrompt, 0) == 0 ? 1 : 0;
}

uint32_t IsSettingEnabled(uint32_t id) { return SettingOr(id, 0) != 0 ? 1 : 0; }

std::wstring ReadSettingStringWhole(uint32_t id) {
    // The stores are bounded by what the registry holds; the rounds bound a
    // store that keeps growing while it is read.
    std::vector<wchar_t> buffer(256);
    for (int round = 0; round < 8; ++round) {
        uint32_t units = uint32_t(buffer.size());
        ConfigStatus status = ReadSettingString(id, buffer.data(), &units, 0, 0);
        if (status == kConfigBufferTooSmall) {
            buffer.assign(units > buffer.size() ? units + 1 : buffer.size() * 2, 0);
            continue;
        }
        if (status != kConfigOk) return std::wstring();
        // The stores need not terminate the text.
        size_t length = 0;
        while (length < units && length < buffer.size() && buffer[length]) ++length;
        return std::wstring(buffer.data(), length);
    }
    return std::wstring();
}

}  // namespace qlclapi
