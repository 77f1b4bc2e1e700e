#include "config/startup_control_win.h"

#include <windows.h>

#include "config/client_key_win.h"
#include "core/win_resource_win.h"
#include "config/service_dependency_win.h"

namespace qlclapi {

namespace {

ConfigStatus WriteStartValues(uint32_t mode) {
    for (const StartupService& service : kStartupServices) {
        // The plain create call: a missing service key is created and then
        // holds nothing but this value.
        RegistryKey key;
        if (RegCreateKeyW(HKEY_LOCAL_MACHINE, service.keyPath, key.receive()) != ERROR_SUCCESS)
            return kConfigFailed;
        const DWORD start = mode == kStartupOn ? service.on : service.off;
        if (RegSetValueExW(key.get(), L"Start", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&start),
                           sizeof start) != ERROR_SUCCESS)
            return kConfigStartNotWritten;
    }
    return kConfigOk;
}

}  // namespace

ConfigStatus ConfigureStartup(uint32_t mode, uint32_t* recorded) {
    if (mode == kStartupOff || mode == kStartupOn) {
        if (ConfigStatus status = WriteStartValues(mode)) return status;
        // The policy agent may be missing or refuse; start-up loading is
        // decided by the start types alone.
        EditServiceDependency(mode, kClientMainService, kPolicyAgentService, false);
        WriteClientDword(mode, kStartupEnabledValue, nullptr, kClientParams);
    }
    uint32_t choice = kStartupNotRecorded;
    // A missing key or value, or one that is not 4 bytes long, reads as not
    // recorded. The value's type is not looked at.
    ReadClientDword(&choice, kStartupEnabledValue, kClientParams);
    if (recorded) *recorded = choice;
    return kConfigOk;
}

uint32_t GetLoadAtStartup(uint32_t* value) {
    if (!value) return 0;
    ConfigureStartup(kStartupReadOnly, value);
    return 1;
}

uint32_t SetLoadAtStartup(int32_t enable) {
    uint32_t recorded = 0;
    return Succeeded(ConfigureStartup(enable ? kStartupOn : kStartupOff, &recorded)) ? 1 : 0;
}

}  // namespace qlclapi
