// connect: hands user name, password and domain to the client. The
// password comes from standard input only; one typed on the command line
// would be visible to every user of the machine in its process list.
#include "client_library.h"
#include "client_values.h"
#include "command.h"
#include "output.h"
#include "secret_input.h"

namespace qlctl {

namespace {

bool IsPasswordOption(const std::wstring& word) {
    std::wstring name = word.substr(0, word.find(L'='));
    return name == L"--password" || name == L"--pass" || name == L"--pwd" || name == L"-p";
}

// Value of a text option: `problem` set when it is empty or too long.
const std::wstring* TextOption(const Arguments& arguments, const wchar_t* name, std::string& problem) {
    const std::wstring* value = arguments.value(name);
    if (!value) return nullptr;
    std::string option = Utf8(name);
    if (value->empty()) problem = "option " + option + " needs a value";
    if (value->size() > kMaxTextUnits)
        problem = "the value of " + option + " is longer than " + std::to_string(kMaxTextUnits) +
                  " characters, which the client would cut";
    return value;
}

int SecretProblem(SecretStatus status) {
    switch (status) {
    case SecretStatus::kOk: return kExitOk;
    case SecretStatus::kEmpty: return UsageError(kConnectCommand, "no password was given");
    case SecretStatus::kTooLong:
        return UsageError(kConnectCommand, "the password is longer than " + std::to_string(kMaxTextUnits) +
                                               " characters, which the client would cut");
    case SecretStatus::kInvalid:
        return UsageError(kConnectCommand, "the password is not UTF-8 text, or holds a NUL character");
    case SecretStatus::kNotConsole:
        return UsageError(kConnectCommand,
                          "standard input is not a console: give --password-stdin to read the password from it");
    case SecretStatus::kReadFailed: break;
    }
    return Fail(kConnectCommand, kExitSystem, "cannot read the password from standard input");
}

int RunConnect(const Words& words, ClientLibrary& library) {
    for (const auto& word : words) {
        if (word == L"--") break;
        if (IsPasswordOption(word))
            return UsageError(kConnectCommand,
                              "a password on the command line can be read by other users of this machine; type it "
                              "at the prompt, or pipe it in with --password-stdin");
    }
    Arguments arguments;
    std::string problem;
    if (!arguments.parse(words, {{L"--user", true}, {L"--domain", true}, {L"--password-stdin", false}}, problem))
        return UsageError(kConnectCommand, problem);
    // Not quoted: a stray word here is most likely the password itself.
    if (!arguments.positionals().empty())
        return UsageError(kConnectCommand,
                          "unexpected argument; the password is never taken from the command line");
    const std::wstring* user = TextOption(arguments, L"--user", problem);
    const std::wstring* domain = TextOption(arguments, L"--domain", problem);
    if (!user) return UsageError(kConnectCommand, "option --user is required");
    if (!problem.empty()) return UsageError(kConnectCommand, problem);

    // Found before the password is asked for, so that a missing library
    // does not waste the user's typing.
    auto connect = QLCTL_EXPORT(library, QuorlanConnectWithPassword);
    if (!connect) return kExitLibrary;
    SecretText password;
    SecretStatus status = ReadSecretLine(arguments.has(L"--password-stdin"), "Password: ", password);
    if (status != SecretStatus::kOk) return SecretProblem(status);
    QlUInt32 result = connect(user->c_str(), password.c_str(), domain ? domain->c_str() : nullptr);
    password.wipe();
    if (!result) return NotAvailable(kConnectCommand);
    return PrintLine(kConnectCommand, "the client was given the credentials and asked to enable");
}

}  // namespace

const Command kConnectCommand = {
    L"connect", "connect with a user name and password", "connect --user USER [--domain DOMAIN] [--password-stdin]",
    "  Asks for the password on the console without echoing it, or with\n"
    "  --password-stdin reads it as one UTF-8 line from standard input (a pipe or\n"
    "  file). A password is never taken from the command line. The client first\n"
    "  disconnects (reason 50), then gets USER, the password and DOMAIN (or none)\n"
    "  and is asked to enable. Each text may have at most 255 characters.\n"
    "  Exit code 1 without a client driver; 2 also when no usable password was read.\n",
    RunConnect};

}  // namespace qlctl
