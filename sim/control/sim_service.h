// The simulated driver as a kernel service of the service control manager.
// Wine's `sc start` cannot start kernel services, so starting and stopping
// go through the manager's API here.
#pragma once

#include <windows.h>

namespace qlsim {

// Each returns ERROR_SUCCESS or the Win32 error that stopped it.
DWORD InstallDriverService(const wchar_t* imagePath);  // creates or updates the service
DWORD StartDriverService();                            // already running counts as success
DWORD StopDriverService();                             // already stopped counts as success
DWORD RemoveDriverService();
// SERVICE_RUNNING, SERVICE_STOPPED, ... or 0 when the service is not installed.
DWORD DriverServiceState();

}  // namespace qlsim
