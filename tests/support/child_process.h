// Where the programs a test runs as their own processes are.
#pragma once

#include <string>

namespace qltest {

// A file beside this test program (qlsim.exe, qlctl.exe, qlclapi.dll).
std::wstring BesideThisProgram(const wchar_t* file);

}  // namespace qltest
