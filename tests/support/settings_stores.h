// The client's settings stores written for a test with the registry's own
// calls, independently of the library's reading of them: the cookie, the
// text store's values and the binary store's blobs below the current state
// key (CurrentSubkey "Current").
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qltest {

class SettingsStores {
public:
    // Removes every store and the cookie (the current state key stays).
    static bool Clear();
    static bool UseTextStore();    // writes the cookie
    static bool UseBinaryStore();  // deletes it
    // A text-store value: REG_SZ of the text, with its terminator unless
    // told otherwise; user: UserSettings instead of Settings.
    static bool SetText(uint32_t id, const std::wstring& text, bool user = false, bool terminated = true);
    // RpcSettings (RpcUserSettings) as these bytes; above 65536 bytes split
    // into the chained pieces the client writes.
    static bool SetBlob(const std::vector<uint8_t>& blob, bool user = false);
    // Any value of the state key or of the parameters key (for the client's
    // preferences).
    static bool SetStateDword(const wchar_t* name, uint32_t value, bool current = true);
    static bool SetParamsDword(const wchar_t* name, uint32_t value);
    static bool SetStateString(const wchar_t* name, const std::wstring& text);
    static bool DeleteValue(const wchar_t* keyPath, const wchar_t* name);
    static uint32_t ReadStateDword(const wchar_t* name, uint32_t missing);

    static const wchar_t* const kStatePath;
    static const wchar_t* const kParamsPath;
    static const wchar_t* const kCurrentPath;
};

}  // namespace qltest
