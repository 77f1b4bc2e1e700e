#include "command.h"

#include "output.h"

namespace qlctl {

int Help(const Command& command) {
    WriteOut(std::string("usage: qlctl ") + command.synopsis + "\n" + command.summary + "\n" + command.details);
    return kExitOk;
}

int UsageError(const Command& command, const std::string& problem) {
    std::string name = Utf8(command.name);
    WriteErr("qlctl " + name + ": " + problem + "\nusage: qlctl " + command.synopsis + "   (qlctl " + name +
             " --help for details)\n");
    return kExitUsage;
}

int Fail(const Command& command, int exitCode, const std::string& message) {
    WriteErr("qlctl " + Utf8(command.name) + ": " + message + "\n");
    return exitCode;
}

int NotAvailable(const Command& command) {
    return Fail(command, kExitRefused, "the client is not available (is its driver running?)");
}

int ParseJsonOnly(const Command& command, const Words& words, bool& json) {
    Arguments arguments;
    std::string problem;
    if (!arguments.parse(words, {{L"--json", false}}, problem)) return UsageError(command, problem);
    if (!arguments.positionals().empty()) return UsageError(command, "takes no arguments");
    json = arguments.has(L"--json");
    return kExitOk;
}

int PrintLine(const Command& command, const std::string& line) {
    if (WriteOut(line + "\n")) return kExitOk;
    return Fail(command, kExitSystem, "cannot write to standard output");
}

}  // namespace qlctl
