// qldiagsvc: the simulated diagnostics service of the client. Registered
// and started through the service control manager like the client's own
// service (qlsim diag install / start); `qldiagsvc --console` runs it in
// the foreground until Enter is pressed, for debugging.
#include <windows.h>

#include <cstdio>
#include <cwchar>

#include "client_settings.h"
#include "diag_server.h"

namespace {

SERVICE_STATUS_HANDLE gStatusHandle = nullptr;
HANDLE gStopEvent = nullptr;

constexpr uint32_t kEnableClientReports = 24850;  // A_DIAG_EnableClientReports
constexpr uint32_t kEnableBandwidthTest = 24872;  // A_DIAG_EnableBandwidthTest

// The service reads the two machine-wide settings that gate reports and
// tests on every request; a setting that is not stored is off.
qldiag::Gates ReadGates() {
    int32_t reports = 0, tests = 0;
    qlsim::ReadMachineNumber(kEnableClientReports, reports);
    qlsim::ReadMachineNumber(kEnableBandwidthTest, tests);
    return qldiag::Gates{reports != 0, tests != 0};
}

void Report(DWORD state, DWORD exitCode = NO_ERROR) {
    SERVICE_STATUS status{};
    status.dwServiceType = SERVICE_WIN32_OWN_PROCESS;
    status.dwCurrentState = state;
    status.dwControlsAccepted = state == SERVICE_RUNNING ? SERVICE_ACCEPT_STOP | SERVICE_ACCEPT_SHUTDOWN : 0;
    status.dwWin32ExitCode = exitCode;
    status.dwWaitHint = state == SERVICE_RUNNING || state == SERVICE_STOPPED ? 0 : 5000;
    SetServiceStatus(gStatusHandle, &status);
}

DWORD WINAPI Control(DWORD control, DWORD, void*, void*) {
    if (control == SERVICE_CONTROL_STOP || control == SERVICE_CONTROL_SHUTDOWN) {
        Report(SERVICE_STOP_PENDING);
        SetEvent(gStopEvent);
        return NO_ERROR;
    }
    return control == SERVICE_CONTROL_INTERROGATE ? NO_ERROR : ERROR_CALL_NOT_IMPLEMENTED;
}

void WINAPI ServiceMain(DWORD, wchar_t**) {
    gStatusHandle = RegisterServiceCtrlHandlerExW(qldiag::kServiceName, Control, nullptr);
    if (!gStatusHandle) return;
    Report(SERVICE_START_PENDING);
    qldiag::Simulation simulation(ReadGates);
    qldiag::DiagServer server(simulation);
    if (!server.start()) {
        Report(SERVICE_STOPPED, GetLastError());
        return;
    }
    Report(SERVICE_RUNNING);
    WaitForSingleObject(gStopEvent, INFINITE);
    server.stop();
    Report(SERVICE_STOPPED);
}

int RunInConsole() {
    qldiag::Simulation simulation(ReadGates);
    qldiag::DiagServer server(simulation);
    if (!server.start()) {
        fprintf(stderr, "qldiagsvc: cannot create the pipe, error %lu\n", GetLastError());
        return 1;
    }
    printf("qldiagsvc: serving; press Enter to stop\n");
    getchar();
    server.stop();
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc > 1 && wcscmp(argv[1], L"--console") == 0) return RunInConsole();
    gStopEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    SERVICE_TABLE_ENTRYW table[] = {{const_cast<wchar_t*>(qldiag::kServiceName), ServiceMain}, {nullptr, nullptr}};
    if (!StartServiceCtrlDispatcherW(table)) {
        fprintf(stderr, "qldiagsvc: not started as a service (qlsim diag start); use --console to run it here\n");
        return 1;
    }
    return 0;
}
