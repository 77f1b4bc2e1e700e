#include "support/child_process.h"

namespace qltest {

namespace {

// A file rather than a pipe: the child may print any amount with nobody
// reading alongside. It shares the handle's file position, so the output is
// read from the start once it has exited.
HANDLE InheritableTemporaryFile() {
    wchar_t folder[MAX_PATH], path[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    GetTempFileNameW(folder, L"qlt", 0, path);
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    return CreateFileW(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       &inherit, CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
}

std::string ReadAndClose(HANDLE file) {
    std::string text;
    char buffer[4096];
    DWORD read;
    SetFilePointer(file, 0, nullptr, FILE_BEGIN);
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
        for (DWORD i = 0; i < read; ++i)
            if (buffer[i] != '\r') text += buffer[i];
    CloseHandle(file);
    return text;
}

}  // namespace

std::wstring BesideThisProgram(const wchar_t* file) {
    wchar_t own[MAX_PATH];
    std::wstring program(own, GetModuleFileNameW(nullptr, own, MAX_PATH));
    return program.substr(0, program.find_last_of(L'\\') + 1) + file;
}

std::wstring SystemProgram(const wchar_t* file) {
    wchar_t folder[MAX_PATH];
    UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    return std::wstring(folder, length) + L"\\" + file;
}

ChildRun RunChild(const std::wstring& program, const std::wstring& arguments, DWORD timeout) {
    std::wstring line = L"\"" + program + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = InheritableTemporaryFile();
    startup.hStdError = InheritableTemporaryFile();
    PROCESS_INFORMATION process{};
    ChildRun run{DWORD(-1), {}, {}};
    if (CreateProcessW(program.c_str(), &line[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
        if (WaitForSingleObject(process.hProcess, timeout) == WAIT_TIMEOUT) {
            TerminateProcess(process.hProcess, WAIT_TIMEOUT);
            WaitForSingleObject(process.hProcess, INFINITE);
        }
        GetExitCodeProcess(process.hProcess, &run.exitCode);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    run.out = ReadAndClose(startup.hStdOutput);
    run.err = ReadAndClose(startup.hStdError);
    return run;
}

}  // namespace qltest
