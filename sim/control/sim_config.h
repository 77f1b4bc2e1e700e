// The simulated client's configuration, laid down in the registry and with
// the service control manager as an installation of the real client lays
// it down, and taken away again. Shared by qlsim.exe and the tests. The
// chunked value is written here on its own terms, not with the library's
// code, so that the library's reader is checked against an independent
// writer.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace qlsim {

constexpr wchar_t kClientParamsKey[] = L"SYSTEM\\CurrentControlSet\\Services\\QLDRV\\Params\\Vorantis Client";
constexpr wchar_t kClientStateKey[] = L"SYSTEM\\CurrentControlSet\\Services\\QLDRV\\Params\\Vorantis Client State";
constexpr wchar_t kClientParamsRoot[] = L"SYSTEM\\CurrentControlSet\\Services\\QLDRV\\Params";
constexpr wchar_t kServiceStateRoot[] = L"SYSTEM\\CurrentControlSet\\Services\\Quorlan";
constexpr wchar_t kServicesKey[] = L"SYSTEM\\CurrentControlSet\\Services";
constexpr wchar_t kDefaultCurrentSubkey[] = L"Default";
constexpr size_t kDefaultPidBytes = 32;
constexpr DWORD kChunkBytes = 0x10000;

// One of the client's services, as its installer registers it (the driver
// QLDRV itself is registered by `qlsim install`).
struct ClientService {
    const wchar_t* name;
    DWORD type;
    DWORD start;  // the start type of a client that loads at start-up
    const wchar_t* image;
};
extern const ClientService kClientServices[6];
// The platform's IP security policy service, which Wine lacks: a stand-in
// whose dependency list the library edits. Demand start, never started.
extern const ClientService kPolicyAgentStandIn;

// The identifier an installation starts with (32 bytes).
std::vector<uint8_t> DefaultPid();
// `bytes` bytes of a recognisable pattern, for identifiers and caches of any size.
std::vector<uint8_t> PatternBytes(size_t bytes);

// Each returns ERROR_SUCCESS or the Win32 error that stopped it.
// Both client keys with CurrentSubkey "Default" and its subkey, a 32-byte
// PID, VmsAddress "", an empty VmsCache and Enabled 1.
DWORD InstallClientKeys();
// The Params tree (both client keys) and the service state key; missing
// keys count as taken away.
DWORD RemoveClientKeys();
// The six services and PolicyAgent, created (or reconfigured) as above.
DWORD InstallClientServices();
// Deletes the six services and PolicyAgent, and gives QLDRV back its
// demand start through the manager (start-up control writes Start = 4 into
// its key, and a disabled service cannot be started).
DWORD RemoveClientServices();

// Values of a client key (`key` is one of the two paths above); the key is
// created when missing. The chunked writer: N holds the first 65536 bytes,
// N__0 the next, ..., and the name after the last piece is deleted.
DWORD WriteChunked(const wchar_t* key, const wchar_t* name, const std::vector<uint8_t>& bytes);
// The chunked value read back: pieces up to the first missing or empty one.
// False when N itself is missing.
bool ReadChunked(const wchar_t* key, const wchar_t* name, std::vector<uint8_t>& bytes, size_t* pieces = nullptr);
// REG_SZ of the text and, unless told otherwise, its terminator.
DWORD WriteText(const wchar_t* key, const wchar_t* name, const std::wstring& text, bool terminated = true);
DWORD WriteNumber(const wchar_t* key, const wchar_t* name, DWORD value);
// Removes N and every piece name N__0, N__1, ... that exists, up to the
// first gap of 16 names (stale pieces included).
DWORD RemoveValue(const wchar_t* key, const wchar_t* name);
// The key and everything below it; a missing key counts as deleted.
DWORD DeleteKeyTree(const wchar_t* key);
// Sets CurrentSubkey and creates the subkey it names.
DWORD SetCurrentSubkey(const std::wstring& name);

// A value as it stands, for show: false when missing.
bool ReadText(const wchar_t* key, const wchar_t* name, std::wstring& text);
bool ReadNumber(const wchar_t* key, const wchar_t* name, DWORD& value);
// The names of a key's values; false when the key cannot be opened.
bool ReadValueNames(const wchar_t* key, std::vector<std::wstring>& names);
// DependOnService of a service key, as the manager stored it.
bool ReadDependencies(const wchar_t* service, std::vector<std::wstring>& names);

}  // namespace qlsim
