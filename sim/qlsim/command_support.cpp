#include <cstdio>

#include "commands.h"
#include "sim_control.h"

namespace qlsim {

int Usage(const char* text) {
    fputs(text, stderr);
    return kExitUsage;
}

int Help(const char* text) {
    fputs(text, stdout);
    return kExitOk;
}

int HelpOrUsage(const Words& words, const char* text) { return WantsHelp(words) ? Help(text) : Usage(text); }

int Refused(const char* command, const std::string& why) {
    fprintf(stderr, "qlsim %s: %s\n", command, why.c_str());
    return kExitUsage;
}

int Failed(const char* what, unsigned long error) {
    wchar_t message[256] = L"";
    FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, message,
                   sizeof message / sizeof message[0], nullptr);
    fprintf(stderr, "qlsim: cannot %s: error %lu %ls", what, error, message[0] ? message : L"\n");
    return kExitFailed;
}

bool WantsHelp(const Words& words) {
    for (const auto& w : words)
        if (w == L"--help" || w == L"-h" || w == L"/?") return true;
    return false;
}

bool OpenControl(SimControl& control, int& exitCode) {
    if (control.isOpen()) return true;
    exitCode = Failed("open \\\\.\\QLDRVSIM (is the simulated client running? try 'qlsim start')",
                      control.lastError());
    return false;
}

}  // namespace qlsim
