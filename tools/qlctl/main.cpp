// qlctl: the client API on the command line, for administrators and scripts.
#include <string>

#include "client_library.h"
#include "command.h"
#include "output.h"

namespace {

using qlctl::Command;

// One line per command; its help and code live in the command's own file.
const Command* const kCommands[] = {
    &qlctl::kVersionCommand,
    &qlctl::kStateCommand,
    &qlctl::kReasonCommand,
    &qlctl::kStatusCommand,
    &qlctl::kEnableCommand,
    &qlctl::kLogoffCommand,
    &qlctl::kBypassCommand,
    &qlctl::kRouteCheckCommand,
    &qlctl::kConnectCommand,
    &qlctl::kConditionCommand,
    &qlctl::kWatchCommand,
    &qlctl::kAddressesCommand,
    &qlctl::kPopCommand,
    &qlctl::kParseCommand,
    &qlctl::kFormatCommand,
    &qlctl::kIdCommand,
    &qlctl::kServerCommand,
    &qlctl::kStartupCommand,
    &qlctl::kReportCommand,
    &qlctl::kBandwidthCommand,
    &qlctl::kTagCommand,
    &qlctl::kDiagCommand,
    &qlctl::kSettingCommand,
};

const Command* FindCommand(const std::wstring& name) {
    for (const Command* command : kCommands)
        if (name == command->name) return command;
    return nullptr;
}

std::string ToolUsage() {
    std::string text = "usage: qlctl COMMAND [ARGS]   (qlctl COMMAND --help for its arguments)\ncommands:\n";
    for (const Command* command : kCommands) {
        std::string name = qlctl::Utf8(command->name);
        text += "  " + name + std::string(name.size() < 12 ? 12 - name.size() : 1, ' ') + command->summary + "\n";
    }
    text +=
        "exit codes:\n"
        "  0  success\n"
        "  1  the client refused, or is not available (no client driver, no diagnostics\n"
        "     service)\n"
        "  2  usage error: bad arguments or unacceptable input\n"
        "  3  qlclapi.dll could not be loaded from qlctl's folder, lacks an export, or\n"
        "     answered with a record qlctl cannot read\n"
        "  4  the tool could not read its input, write its output or get a system resource\n";
    return text;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        qlctl::WriteErr("qlctl: no command given\n" + ToolUsage());
        return qlctl::kExitUsage;
    }
    std::wstring name = argv[1];
    qlctl::Words words(argv + 2, argv + argc);
    // "qlctl help COMMAND" is "qlctl COMMAND --help".
    if (name == L"help" && words.size() == 1) {
        name = words[0];
        words = {L"--help"};
    }
    if (name == L"help" || qlctl::IsHelpWord(name)) {
        qlctl::WriteOut(ToolUsage());
        return qlctl::kExitOk;
    }
    const Command* command = FindCommand(name);
    if (!command) {
        qlctl::WriteErr("qlctl: unknown command '" + qlctl::Utf8(name) + "'\n" + ToolUsage());
        return qlctl::kExitUsage;
    }
    if (qlctl::WantsHelp(words)) return Help(*command);
    qlctl::ClientLibrary library;
    return command->run(words, library);
}
