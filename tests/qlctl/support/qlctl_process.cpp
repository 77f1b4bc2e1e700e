#include "support/qlctl_process.h"

namespace qltest {

namespace {

void ReadAll(HANDLE pipe, std::string& text) {
    char buffer[4096];
    DWORD read;
    while (ReadFile(pipe, buffer, sizeof buffer, &read, nullptr) && read > 0) text.append(buffer, read);
}

// A pipe whose child end is inheritable and whose own end is not.
void MakePipe(HANDLE& read, HANDLE& write, bool childReads) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    CreatePipe(&read, &write, &inherit, 1 << 16);
    SetHandleInformation(childReads ? write : read, HANDLE_FLAG_INHERIT, 0);
}

}  // namespace

std::wstring OwnFolder() {
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

QlctlProcess::QlctlProcess(const std::wstring& arguments, const std::string& input, const std::wstring& program,
                           bool ownConsole) {
    HANDLE inRead, inWrite, outWrite, errWrite;
    MakePipe(inRead, inWrite, true);
    MakePipe(outRead_, outWrite, false);
    MakePipe(errRead_, errWrite, false);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = inRead;
    startup.hStdOutput = outWrite;
    startup.hStdError = errWrite;
    std::wstring path = program.empty() ? OwnFolder() + L"qlctl.exe" : program;
    std::wstring line = L"\"" + path + L"\" " + arguments;
    DWORD flags = ownConsole ? CREATE_NEW_CONSOLE : 0;
    if (!CreateProcessW(path.c_str(), &line[0], nullptr, nullptr, TRUE, flags, nullptr, nullptr, &startup, &info_))
        info_ = PROCESS_INFORMATION{};
    CloseHandle(inRead);
    CloseHandle(outWrite);
    CloseHandle(errWrite);
    DWORD written;
    if (!input.empty()) WriteFile(inWrite, input.data(), DWORD(input.size()), &written, nullptr);
    CloseHandle(inWrite);
    outReader_ = std::thread(ReadAll, outRead_, std::ref(out_));
    errReader_ = std::thread(ReadAll, errRead_, std::ref(err_));
}

QlctlProcess::~QlctlProcess() { finish(0); }

Outcome QlctlProcess::finish(DWORD timeout) {
    DWORD exitCode = DWORD(-1);
    if (info_.hProcess) {
        if (WaitForSingleObject(info_.hProcess, timeout) == WAIT_TIMEOUT) {
            TerminateProcess(info_.hProcess, WAIT_TIMEOUT);
            WaitForSingleObject(info_.hProcess, INFINITE);
        }
        GetExitCodeProcess(info_.hProcess, &exitCode);
        CloseHandle(info_.hProcess);
        CloseHandle(info_.hThread);
        info_ = PROCESS_INFORMATION{};
    }
    if (outReader_.joinable()) outReader_.join();
    if (errReader_.joinable()) errReader_.join();
    for (HANDLE* pipe : {&outRead_, &errRead_}) {
        if (*pipe) CloseHandle(*pipe);
        *pipe = nullptr;
    }
    return {exitCode, out_, err_};
}

Outcome RunQlctl(const std::wstring& arguments, const std::string& input) {
    return QlctlProcess(arguments, input).finish();
}

Outcome InterruptWithCtrlC(QlctlProcess& process, bool& sent) {
    FreeConsole();
    sent = AttachConsole(process.id()) && SetConsoleCtrlHandler(nullptr, TRUE) &&
           GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0);
    Outcome outcome = process.finish(10000);
    FreeConsole();
    return outcome;
}

}  // namespace qltest
