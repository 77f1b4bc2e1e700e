// qlsim: drives the simulated client (its kernel driver) by hand.
#include <cstdio>

#include "commands.h"

int wmain(int argc, wchar_t** argv) {
    setvbuf(stdout, nullptr, _IONBF, 0);
    return RunQlsim(std::vector<std::wstring>(argv + 1, argv + argc));
}
