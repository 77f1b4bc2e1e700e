// The client's services and drivers whose start types decide whether the
// client loads when the machine starts: each key below HKEY_LOCAL_MACHINE
// with the Start value written when loading at start-up is switched on,
// and the one written when it is switched off. Shared by the library and
// qlctl (which names the key it could not write).
#pragma once

#include <cstdint>

namespace qlclapi {

struct StartupService {
    const wchar_t* name;
    const wchar_t* keyPath;
    uint32_t on;   // SERVICE_SYSTEM_START 1, SERVICE_AUTO_START 2, SERVICE_DEMAND_START 3
    uint32_t off;  // SERVICE_DISABLED 4
};

inline constexpr StartupService kStartupServices[] = {
    {L"VESSERV", L"SYSTEM\\CurrentControlSet\\Services\\VESSERV", 2, 4},
    {L"QLUPDATE", L"SYSTEM\\CurrentControlSet\\Services\\QLUPDATE", 2, 4},
    {L"QLCollector", L"SYSTEM\\CurrentControlSet\\Services\\QLCollector", 2, 4},
    {L"QLDRV", L"SYSTEM\\CurrentControlSet\\Services\\QLDRV", 1, 4},
    {L"QLFILTER", L"SYSTEM\\CurrentControlSet\\Services\\QLFILTER", 1, 4},
    {L"QLutilnt", L"SYSTEM\\CurrentControlSet\\Services\\QLutilnt", 2, 4},
    {L"qlvadapter", L"SYSTEM\\CurrentControlSet\\Services\\qlvadapter", 3, 4},
};

inline constexpr wchar_t kPolicyAgentService[] = L"PolicyAgent";
inline constexpr wchar_t kClientMainService[] = L"VESSERV";
inline constexpr wchar_t kStartupEnabledValue[] = L"Enabled";
inline constexpr uint32_t kStartupNotRecorded = 3;

}  // namespace qlclapi
