// install, start, stop, status, remove: the driver as a kernel service.
#include <cstdio>
#include <string>

#include "commands.h"
#include "sim_service.h"

namespace qlsim {

namespace {

// The driver image sits beside qlsim.exe; the service runs it from the
// system's drivers folder, as an installer would put it.
DWORD CopyDriverImage(std::wstring& installedPath) {
    wchar_t self[MAX_PATH], system[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return ERROR_BAD_PATHNAME;
    std::wstring source(self, length);
    source = source.substr(0, source.find_last_of(L"\\/") + 1) + L"qldrv.sys";
    UINT systemLength = GetSystemDirectoryW(system, MAX_PATH);
    if (systemLength == 0 || systemLength >= MAX_PATH) return ERROR_BAD_PATHNAME;
    installedPath = std::wstring(system, systemLength) + L"\\drivers\\qldrv.sys";
    if (!CopyFileW(source.c_str(), installedPath.c_str(), FALSE)) return GetLastError();
    return ERROR_SUCCESS;
}

}  // namespace

const char* ServiceStateName(unsigned long state) {
    switch (state) {
    case 0: return "not-installed";
    case SERVICE_STOPPED: return "stopped";
    case SERVICE_START_PENDING: return "starting";
    case SERVICE_STOP_PENDING: return "stopping";
    case SERVICE_RUNNING: return "running";
    default: return "other";
    }
}

int CommandInstall(const Words& words) {
    if (WantsHelp(words) || words.size() > 0)
        return HelpOrUsage(words, "usage: qlsim install\n  copies qldrv.sys from beside qlsim.exe into the system's drivers folder\n"
                     "  and registers it as the demand-start kernel service QLDRV\n");
    std::wstring path;
    if (DWORD error = CopyDriverImage(path)) return Failed("copy qldrv.sys", error);
    if (DWORD error = InstallDriverService(path.c_str())) return Failed("install the QLDRV service", error);
    printf("installed\n");
    return kExitOk;
}

int CommandStart(const Words& words) {
    if (WantsHelp(words) || words.size() > 0) return HelpOrUsage(words, "usage: qlsim start\n  loads the simulated driver\n");
    if (DWORD error = StartDriverService()) return Failed("start the QLDRV service", error);
    printf("running\n");
    return kExitOk;
}

int CommandStop(const Words& words) {
    if (WantsHelp(words) || words.size() > 0)
        return HelpOrUsage(words, "usage: qlsim stop\n  unloads the simulated driver (its state is lost)\n");
    if (DWORD error = StopDriverService()) return Failed("stop the QLDRV service", error);
    printf("stopped\n");
    return kExitOk;
}

int CommandStatus(const Words& words) {
    if (WantsHelp(words) || words.size() > 0)
        return HelpOrUsage(words, "usage: qlsim status\n  prints not-installed, stopped or running; exit 0 only when running\n");
    DWORD state = DriverServiceState();
    printf("%s\n", ServiceStateName(state));
    return state == SERVICE_RUNNING ? kExitOk : kExitFailed;
}

int CommandRemove(const Words& words) {
    if (WantsHelp(words) || words.size() > 0) return HelpOrUsage(words, "usage: qlsim remove\n  deletes the QLDRV service\n");
    StopDriverService();
    if (DWORD error = RemoveDriverService()) return Failed("remove the QLDRV service", error);
    printf("removed\n");
    return kExitOk;
}

}  // namespace qlsim
