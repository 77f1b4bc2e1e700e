#include "support/tool_process_win.h"

namespace qltest {

namespace {

// A pipe whose child end is inheritable and whose own end is not.
void MakePipe(HANDLE& read, HANDLE& write, bool childReads) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    CreatePipe(&read, &write, &inherit, 1 << 16);
    SetHandleInformation(childReads ? write : read, HANDLE_FLAG_INHERIT, 0);
}

void ReadAll(HANDLE pipe, std::string* bytes) {
    char buffer[4096];
    DWORD read;
    while (ReadFile(pipe, buffer, sizeof buffer, &read, nullptr) && read > 0) bytes->append(buffer, read);
    CloseHandle(pipe);
}

}  // namespace

ToolProcess::ToolProcess(const std::wstring& program, const std::wstring& arguments, const std::string& input,
                         bool ownConsole) {
    HANDLE inRead, inWrite, outWrite, errWrite;
    MakePipe(inRead, inWrite, true);
    MakePipe(out_, outWrite, false);
    MakePipe(err_, errWrite, false);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = inRead;
    startup.hStdOutput = outWrite;
    startup.hStdError = errWrite;
    std::wstring line = L"\"" + program + L"\" " + arguments;
    if (!CreateProcessW(program.c_str(), &line[0], nullptr, nullptr, TRUE, ownConsole ? CREATE_NEW_CONSOLE : 0,
                        nullptr, nullptr, &startup, &process_))
        process_ = PROCESS_INFORMATION{};
    for (HANDLE childEnd : {inRead, outWrite, errWrite}) CloseHandle(childEnd);
    // Read alongside: a tool that fills a pipe nobody empties would wait forever.
    readers_[0] = std::thread(ReadAll, out_, &run_.out);
    readers_[1] = std::thread(ReadAll, err_, &run_.err);
    DWORD written;
    WriteFile(inWrite, input.data(), DWORD(input.size()), &written, nullptr);  // the pipe holds 64 KiB
    CloseHandle(inWrite);
}

ToolRun ToolProcess::finish(DWORD timeout) {
    if (process_.hProcess) {
        if (WaitForSingleObject(process_.hProcess, timeout) == WAIT_TIMEOUT) {
            TerminateProcess(process_.hProcess, WAIT_TIMEOUT);
            WaitForSingleObject(process_.hProcess, INFINITE);
        }
        GetExitCodeProcess(process_.hProcess, &run_.exitCode);
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
        process_ = PROCESS_INFORMATION{};
    }
    for (std::thread& reader : readers_)
        if (reader.joinable()) reader.join();
    return run_;
}

}  // namespace qltest
