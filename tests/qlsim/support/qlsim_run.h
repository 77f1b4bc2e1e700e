// qlsim.exe, beside the test program, run as its own process.
#pragma once

#include <windows.h>

#include <string>

namespace qltest {

struct QlsimRun {
    DWORD exitCode;  // WAIT_TIMEOUT for a run killed after 30 seconds
    std::string out, err;  // "\r\n" read as "\n"
};

QlsimRun RunQlsim(const std::wstring& arguments);

}  // namespace qltest
