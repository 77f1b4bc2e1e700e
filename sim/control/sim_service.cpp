#include "sim_service.h"

#include "qlsim_control.h"
#include "scoped_handles.h"

namespace qlsim {

namespace {

DWORD errorOr(BOOL ok) { return ok ? ERROR_SUCCESS : GetLastError(); }

// Waits up to five seconds for the service to leave a pending state.
DWORD waitWhilePending(SC_HANDLE service, DWORD pending, DWORD wanted) {
    SERVICE_STATUS status;
    for (int i = 0; i < 100; ++i) {
        if (!QueryServiceStatus(service, &status)) return GetLastError();
        if (status.dwCurrentState == wanted) return ERROR_SUCCESS;
        if (status.dwCurrentState != pending) break;
        Sleep(50);
    }
    return ERROR_SERVICE_REQUEST_TIMEOUT;
}

}  // namespace

DWORD InstallService(const wchar_t* name, const wchar_t* displayName, DWORD type, const wchar_t* imagePath) {
    ServiceHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
    if (!manager.handle) return GetLastError();
    ServiceHandle service(CreateServiceW(manager.handle, name, displayName, SERVICE_ALL_ACCESS, type,
                                         SERVICE_DEMAND_START, SERVICE_ERROR_NORMAL, imagePath, nullptr, nullptr,
                                         nullptr, nullptr, nullptr));
    if (service.handle) return ERROR_SUCCESS;
    if (GetLastError() != ERROR_SERVICE_EXISTS) return GetLastError();
    ServiceHandle existing(OpenServiceW(manager.handle, name, SERVICE_ALL_ACCESS));
    if (!existing.handle) return GetLastError();
    return errorOr(ChangeServiceConfigW(existing.handle, type, SERVICE_DEMAND_START, SERVICE_ERROR_NORMAL, imagePath,
                                        nullptr, nullptr, nullptr, nullptr, nullptr, displayName));
}

DWORD StartNamedService(const wchar_t* name) {
    ServiceHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
    if (!manager.handle) return GetLastError();
    ServiceHandle service(OpenServiceW(manager.handle, name, SERVICE_ALL_ACCESS));
    if (!service.handle) return GetLastError();
    if (!StartServiceW(service.handle, 0, nullptr) && GetLastError() != ERROR_SERVICE_ALREADY_RUNNING)
        return GetLastError();
    return waitWhilePending(service.handle, SERVICE_START_PENDING, SERVICE_RUNNING);
}

DWORD StopNamedService(const wchar_t* name) {
    ServiceHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
    if (!manager.handle) return GetLastError();
    ServiceHandle service(OpenServiceW(manager.handle, name, SERVICE_ALL_ACCESS));
    if (!service.handle) return GetLastError();
    SERVICE_STATUS status;
    if (!ControlService(service.handle, SERVICE_CONTROL_STOP, &status) &&
        GetLastError() != ERROR_SERVICE_NOT_ACTIVE)
        return GetLastError();
    return waitWhilePending(service.handle, SERVICE_STOP_PENDING, SERVICE_STOPPED);
}

DWORD RemoveNamedService(const wchar_t* name) {
    ServiceHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
    if (!manager.handle) return GetLastError();
    ServiceHandle service(OpenServiceW(manager.handle, name, SERVICE_ALL_ACCESS));
    if (!service.handle) return GetLastError();
    return errorOr(DeleteService(service.handle));
}

DWORD NamedServiceState(const wchar_t* name) {
    ServiceHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT));
    if (!manager.handle) return 0;
    ServiceHandle service(OpenServiceW(manager.handle, name, SERVICE_QUERY_STATUS));
    SERVICE_STATUS status;
    if (!service.handle || !QueryServiceStatus(service.handle, &status)) return 0;
    return status.dwCurrentState;
}

DWORD InstallDriverService(const wchar_t* imagePath) {
    return InstallService(QLSIM_SERVICE_NAME, QLSIM_SERVICE_NAME, SERVICE_KERNEL_DRIVER, imagePath);
}
DWORD StartDriverService() { return StartNamedService(QLSIM_SERVICE_NAME); }
DWORD StopDriverService() { return StopNamedService(QLSIM_SERVICE_NAME); }
DWORD RemoveDriverService() { return RemoveNamedService(QLSIM_SERVICE_NAME); }
DWORD DriverServiceState() { return NamedServiceState(QLSIM_SERVICE_NAME); }

}  // namespace qlsim
