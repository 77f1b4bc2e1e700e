// The simulated client's services in the service control manager: its
// driver as a kernel service, and its diagnostics service as a service of
// its own process. Wine's `sc start` cannot start kernel services, so
// starting and stopping go through the manager's API here.
#pragma once

#include <windows.h>

namespace qlsim {

// Each returns ERROR_SUCCESS or the Win32 error that stopped it.
// type: SERVICE_KERNEL_DRIVER or SERVICE_WIN32_OWN_PROCESS; demand start.
DWORD InstallService(const wchar_t* name, const wchar_t* displayName, DWORD type, const wchar_t* imagePath);
DWORD StartNamedService(const wchar_t* name);   // already running counts as success
DWORD StopNamedService(const wchar_t* name);    // already stopped counts as success
DWORD RemoveNamedService(const wchar_t* name);
// SERVICE_RUNNING, SERVICE_STOPPED, ... or 0 when the service is not installed.
DWORD NamedServiceState(const wchar_t* name);

// The driver, QLDRV.
DWORD InstallDriverService(const wchar_t* imagePath);  // creates or updates the service
DWORD StartDriverService();                            // already running counts as success
DWORD StopDriverService();                             // already stopped counts as success
DWORD RemoveDriverService();
// SERVICE_RUNNING, SERVICE_STOPPED, ... or 0 when the service is not installed.
DWORD DriverServiceState();

}  // namespace qlsim
