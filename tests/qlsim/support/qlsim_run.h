// qlsim.exe (beside the test program) run as its own process, its standard
// output and error read back with "\r\n" as "\n".
#pragma once

#include <windows.h>

#include <string>

namespace qltest {

struct QlsimRun {
    DWORD exitCode;
    std::string out, err;
};

// `arguments` as on a command line, quoted where needed. A run that lasts
// longer than 30 seconds is killed and reported with exit code WAIT_TIMEOUT.
QlsimRun RunQlsim(const std::wstring& arguments);

}  // namespace qltest
