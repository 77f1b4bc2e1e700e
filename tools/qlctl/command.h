// What every qlctl command is: a name, its help and the function that runs
// it. A new command is one more entry in main.cpp's table.
#pragma once

#include <string>
#include <vector>

#include "tools/common/command_line.h"
#include "tools/common/json_output.h"

namespace qlctl {

class ClientLibrary;

// The command line and the JSON output every tool of the project shares.
using qltool::Arguments;
using qltool::IsHelpWord;
using qltool::JsonObject;
using qltool::JsonString;
using qltool::KnownOption;
using qltool::ParseCount;
using qltool::Utf8;
using qltool::WantsHelp;
using qltool::Words;

// Scripts rely on these; README.md and the tool's --help list them.
enum ExitCode {
    kExitOk = 0,
    kExitRefused = 1,  // the client refused, or is not available
    kExitUsage = 2,    // bad arguments or unacceptable input
    kExitLibrary = 3,  // qlclapi.dll could not be loaded, lacks an export or answered unreadably
    kExitSystem = 4,   // the tool could not read its input, write its output or get a system resource
};

struct Command {
    const wchar_t* name;
    const char* summary;   // one line for the tool's command list
    const char* synopsis;  // the words after "qlctl", e.g. "state [--json]"
    const char* details;   // options and results, shown by --help
    // Takes the words after the command's name; returns an ExitCode.
    int (*run)(const Words& words, ClientLibrary& library);
};

extern const Command kVersionCommand;
extern const Command kStateCommand;
extern const Command kReasonCommand;
extern const Command kEnableCommand;
extern const Command kLogoffCommand;
extern const Command kBypassCommand;
extern const Command kRouteCheckCommand;
extern const Command kConnectCommand;
extern const Command kConditionCommand;
extern const Command kWatchCommand;
extern const Command kAddressesCommand;
extern const Command kPopCommand;
extern const Command kParseCommand;
extern const Command kFormatCommand;
extern const Command kStatusCommand;
extern const Command kIdCommand;
extern const Command kServerCommand;
extern const Command kStartupCommand;
extern const Command kReportCommand;
extern const Command kBandwidthCommand;
extern const Command kTagCommand;
extern const Command kDiagCommand;
extern const Command kSettingCommand;

// Prints the command's help to standard output; returns kExitOk.
int Help(const Command& command);
// Prints "qlctl NAME: problem" and the synopsis to standard error; returns
// kExitUsage.
int UsageError(const Command& command, const std::string& problem);
// Prints "qlctl NAME: message" to standard error and returns `exitCode`.
int Fail(const Command& command, int exitCode, const std::string& message);
// The message for a yes/no call that answered 0 (kExitRefused).
int NotAvailable(const Command& command);
// For commands whose only option is --json: kExitOk with `json` set, or
// the usage error's exit code.
int ParseJsonOnly(const Command& command, const Words& words, bool& json);
// Writes one line to standard output: kExitOk, or kExitSystem with a message.
int PrintLine(const Command& command, const std::string& line);

}  // namespace qlctl
