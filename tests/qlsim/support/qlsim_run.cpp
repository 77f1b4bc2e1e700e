#include "support/qlsim_run.h"

namespace qltest {

namespace {

// A file rather than a pipe: qlsim can print any amount before it exits
// without anyone reading alongside. The child shares the handle's file
// position, so the whole output is read from the start once it has exited.
HANDLE InheritableTemporaryFile() {
    wchar_t folder[MAX_PATH], path[MAX_PATH];
    if (!GetTempPathW(MAX_PATH, folder) || !GetTempFileNameW(folder, L"qls", 0, path)) return INVALID_HANDLE_VALUE;
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    return CreateFileW(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       &inherit, CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
}

std::string ReadAndClose(HANDLE file) {
    std::string text;
    char buffer[4096];
    DWORD read;
    SetFilePointer(file, 0, nullptr, FILE_BEGIN);
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) text.append(buffer, read);
    CloseHandle(file);
    // qlsim's streams are in text mode; the tests compare lines.
    for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at)) text.erase(at, 1);
    return text;
}

std::wstring QlsimPath() {
    wchar_t path[MAX_PATH];
    std::wstring own(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
    return own.substr(0, own.find_last_of(L'\\') + 1) + L"qlsim.exe";
}

}  // namespace

QlsimRun RunQlsim(const std::wstring& arguments) {
    QlsimRun run{DWORD(-1), {}, {}};
    HANDLE out = InheritableTemporaryFile(), err = InheritableTemporaryFile();
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = out;
    startup.hStdError = err;
    std::wstring program = QlsimPath(), line = L"\"" + program + L"\" " + arguments;
    PROCESS_INFORMATION process{};
    if (out != INVALID_HANDLE_VALUE && err != INVALID_HANDLE_VALUE &&
        CreateProcessW(program.c_str(), &line[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
        if (WaitForSingleObject(process.hProcess, 30000) == WAIT_TIMEOUT) {
            TerminateProcess(process.hProcess, WAIT_TIMEOUT);
            WaitForSingleObject(process.hProcess, INFINITE);
        }
        GetExitCodeProcess(process.hProcess, &run.exitCode);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    if (out != INVALID_HANDLE_VALUE) run.out = ReadAndClose(out);
    if (err != INVALID_HANDLE_VALUE) run.err = ReadAndClose(err);
    return run;
}

}  // namespace qltest
