// The qlsim commands. Each takes the words after its name and returns the
// process exit code: 0 success, 1 the simulated client refused or is not
// running, 2 bad usage.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace qlsim {
class SimControl;
}

namespace qlsim {

using Words = std::vector<std::wstring>;

enum ExitCode { kExitOk = 0, kExitFailed = 1, kExitUsage = 2 };

int Usage(const char* text);                 // prints text to stderr, returns kExitUsage
int Help(const char* text);                  // prints text to stdout, returns kExitOk
// Help when the words ask for it (--help, -h, /?), else Usage.
int HelpOrUsage(const Words& words, const char* text);
// Prints "qlsim COMMAND: why" to stderr, returns kExitUsage.
int Refused(const char* command, const std::string& why);
// How much of a refused word a message shows.
constexpr size_t kShownUnits = 40;
int Failed(const char* what, unsigned long error);  // prints what and the Win32 error, returns kExitFailed
bool WantsHelp(const Words& words);
// A service's state as qlsim prints it ("not-installed" for 0).
const char* ServiceStateName(unsigned long state);
// False (with the message printed and *exitCode set) when the control channel did not open.
bool OpenControl(SimControl& control, int& exitCode);

int CommandInstall(const Words& words);
int CommandStart(const Words& words);
int CommandStop(const Words& words);
int CommandStatus(const Words& words);
int CommandRemove(const Words& words);
int CommandShow(const Words& words);
int CommandSet(const Words& words);
int CommandReset(const Words& words);
int CommandRule(const Words& words);
int CommandJournal(const Words& words);
int CommandPending(const Words& words);
int CommandComplete(const Words& words);
int CommandRecord(const Words& words);
int CommandAddress(const Words& words);
int CommandInterface(const Words& words);
int CommandDetails(const Words& words);
int CommandConfig(const Words& words);
int CommandDiag(const Words& words);
int CommandSettings(const Words& words);

}  // namespace qlsim

// qlsim's command line without the program's name: the command and its
// words. Returns the exit code; what it says goes to stdout and stderr.
int RunQlsim(const std::vector<std::wstring>& words);
