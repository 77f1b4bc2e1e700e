#include "support/child_process.h"

#include <windows.h>

namespace qltest {

std::wstring BesideThisProgram(const wchar_t* file) {
    wchar_t own[MAX_PATH];
    std::wstring program(own, GetModuleFileNameW(nullptr, own, MAX_PATH));
    return program.substr(0, program.find_last_of(L'\\') + 1) + file;
}

}  // namespace qltest
