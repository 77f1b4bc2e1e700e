// qlsim's commands by name: the dispatch of qlsim.exe, also called in
// process by the tools' transcript runner to set the simulated client up.
#include <cstdio>
#include <cwchar>

#include "commands.h"

namespace {

struct Command {
    const wchar_t* name;
    int (*run)(const qlsim::Words&);
    const char* summary;
};

const Command kCommands[] = {
    {L"install", qlsim::CommandInstall, "register the simulated driver as the kernel service QLDRV"},
    {L"start", qlsim::CommandStart, "load the simulated driver"},
    {L"stop", qlsim::CommandStop, "unload it"},
    {L"status", qlsim::CommandStatus, "say whether it is running"},
    {L"remove", qlsim::CommandRemove, "delete the service"},
    {L"show", qlsim::CommandShow, "print the simulated state"},
    {L"set", qlsim::CommandSet, "change fields of the simulated state"},
    {L"reset", qlsim::CommandReset, "restore the defaults"},
    {L"rule", qlsim::CommandRule, "make a request code refuse or answer short"},
    {L"journal", qlsim::CommandJournal, "print the requests the driver received"},
    {L"pending", qlsim::CommandPending, "count pending state-change notifications"},
    {L"complete", qlsim::CommandComplete, "complete them"},
    {L"record", qlsim::CommandRecord, "read or write a record the driver answers with"},
    {L"address", qlsim::CommandAddress, "set or show the virtual, server and point-of-presence addresses"},
    {L"interface", qlsim::CommandInterface, "add, list, clear or fill the driver's interface table"},
    {L"details", qlsim::CommandDetails, "set or show the user, device and markers of the connection details"},
    {L"config", qlsim::CommandConfig, "lay down, change, show or take away the client's registry configuration and services"},
    {L"diag", qlsim::CommandDiag, "the simulated diagnostics service: start, request log, tags, behaviour"},
    {L"settings", qlsim::CommandSettings, "write the client's settings stores (cookie, text and binary)"},
};

int MainUsage(FILE* out) {
    fputs("usage: qlsim COMMAND [ARGS]   (qlsim COMMAND --help for its arguments)\n", out);
    for (const auto& c : kCommands) fprintf(out, "  %-10ls %s\n", c.name, c.summary);
    return out == stdout ? qlsim::kExitOk : qlsim::kExitUsage;
}

}  // namespace

int RunQlsim(const std::vector<std::wstring>& words) {
    if (words.empty()) return MainUsage(stderr);
    const std::wstring& name = words[0];
    if (name == L"--help" || name == L"-h" || name == L"help") return MainUsage(stdout);
    qlsim::Words rest(words.begin() + 1, words.end());
    for (const auto& c : kCommands)
        if (name == c.name) return c.run(rest);
    fprintf(stderr, "qlsim: unknown command '%ls'\n", name.c_str());
    return MainUsage(stderr);
}
