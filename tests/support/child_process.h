// A program run as its own process, the way a user or script runs it:
// its exit code and its output read back.
#pragma once

#include <windows.h>

#include <string>

namespace qltest {

struct ChildRun {
    DWORD exitCode;        // WAIT_TIMEOUT for a run killed after `timeout`
    std::string out, err;  // "\r\n" read as "\n"
};

ChildRun RunChild(const std::wstring& program, const std::wstring& arguments, DWORD timeout = 30000);
// A file beside this test program (qlsim.exe, qlctl.exe).
std::wstring BesideThisProgram(const wchar_t* file);
// A program of the system folder (reg.exe, sc.exe).
std::wstring SystemProgram(const wchar_t* file);

}  // namespace qltest
