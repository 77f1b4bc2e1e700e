// Help, and bad usage: exit code 2, a message, and the library not even
// loaded (the driver sees nothing).
#include <memory>
#include <vector>

#include "support/qlctl_process.h"
#include "support/simulated_client.h"

namespace qltest {
namespace {

struct UsageCase {
    const char* name;
    std::wstring arguments;
    const char* message;
};

const UsageCase kUsageCases[] = {
    {"NoCommand", L"", "no command given"},
    {"UnknownCommand", L"frobnicate", "unknown command 'frobnicate'"},
    {"StrayArgument", L"state extra", "takes no arguments"},
    {"UnknownOption", L"state --jsn", "unknown option '--jsn'"},
    {"OptionTwice", L"version --json --json", "given twice"},
    {"FlagWithValue", L"reason --json=yes", "takes no value"},
    {"ConditionWithoutText", L"condition", "one or two texts"},
    {"ConditionTextLikeOption", L"condition -x", "unknown option '-x'"},
    {"ConditionTextTooLong", L"condition " + std::wstring(256, L'a'), "longer than 255"},
    {"UserTooLong", L"connect --password-stdin --user " + std::wstring(256, L'u'), "longer than 255"},
    {"CountWithoutValue", L"watch --count", "needs a value"},
    {"CountZero", L"watch --count 0", "whole number"},
    {"CountTooLarge", L"watch --count 4294967296", "whole number"},
    {"AddressesTakeNoText", L"addresses 10.1.2.3", "takes no arguments"},
    {"ParseWithoutText", L"parse --json", "takes one address text"},
    {"ParseTwoTexts", L"parse 10.1.2.3 10.1.2.4", "takes one address text"},
    {"ParseFormatFlag", L"parse 10.1.2.3 --never-port", "unknown option '--never-port'"},
    {"PortRejectedAndRequired", L"parse 10.1.2.3 --reject-port --require-port",
     "--reject-port and --require-port exclude each other"},
    {"BothFamiliesRejected", L"parse 10.1.2.3 --reject-ipv4 --reject-ipv6", "exclude each other"},
    {"FormatParseFlag", L"format 10.1.2.3 --reject-port", "unknown option '--reject-port'"},
    {"PrefixNeverAndAlways", L"format 10.1.2.3 --never-prefix --always-prefix", "exclude each other"},
    {"MaskButNeverPrefix", L"format 10.0.0.0/8 --mask-prefix --never-prefix", "exclude each other"},
    {"IdTakesNoText", L"id 32", "takes no arguments"},
    {"ServerSetPrefix", L"server set 10.0.0.0/8", "is not one address without a prefix length"},
    {"ServerSetHostName", L"server set vpn.example.com", "use --name for a host name"},
    {"ServerSetBoth", L"server set 10.1.2.3 --name vpn", "either ADDRESS or --name"},
    {"ServerSetNothing", L"server set", "takes one ADDRESS"},
    {"ServerClearWithText", L"server clear 10.1.2.3", "clear takes no arguments"},
    {"StartupMaybe", L"startup maybe", "takes no arguments"},
};

class Usage : public SimulatedClientTest, public testing::WithParamInterface<UsageCase> {};

TEST_P(Usage, ExitsWithTwoAndAMessage) {
    Outcome outcome = RunQlctl(GetParam().arguments);
    EXPECT_EQ(outcome.exitCode, 2u);
    EXPECT_EQ(outcome.out, "");
    EXPECT_NE(outcome.err.find(GetParam().message), std::string::npos) << outcome.err;
    EXPECT_NE(outcome.err.find("usage: qlctl"), std::string::npos) << outcome.err;
    EXPECT_TRUE(takeJournal().empty()) << "the library was loaded for a usage error";
}

INSTANTIATE_TEST_SUITE_P(Qlctl, Usage, testing::ValuesIn(kUsageCases),
                         [](const testing::TestParamInfo<UsageCase>& info) { return info.param.name; });

const wchar_t* const kCommands[] = {L"version",   L"state",   L"reason",    L"enable", L"logoff",
                                    L"bypass",    L"route-check", L"connect", L"condition", L"watch",
                                    L"addresses", L"pop",     L"parse",     L"format", L"id",
                                    L"server",    L"startup",   L"status"};

class Help : public SimulatedClientTest, public testing::WithParamInterface<const wchar_t*> {};

TEST_P(Help, IsPrintedWithoutTouchingTheClient) {
    std::wstring command = GetParam();
    // The three forms run side by side: a process start is what costs most
    // under emulation.
    std::vector<std::unique_ptr<QlctlProcess>> forms;
    for (const std::wstring& arguments : {command + L" --help", command + L" --json -h", L"help " + command})
        forms.push_back(std::make_unique<QlctlProcess>(arguments));
    for (auto& form : forms) {
        Outcome outcome = form->finish();
        EXPECT_EQ(outcome.exitCode, 0u) << outcome.err;
        EXPECT_EQ(outcome.out.rfind("usage: qlctl " + std::string(command.begin(), command.end()), 0), 0u)
            << outcome.out;
    }
    EXPECT_TRUE(takeJournal().empty());
}

INSTANTIATE_TEST_SUITE_P(Qlctl, Help, testing::ValuesIn(kCommands));

TEST_F(SimulatedClientTest, ToolHelpListsEveryCommand) {
    Outcome tool = RunQlctl(L"--help");
    EXPECT_EQ(tool.exitCode, 0u);
    for (std::wstring command : kCommands)
        EXPECT_NE(tool.out.find("  " + std::string(command.begin(), command.end()) + " "), std::string::npos)
            << "the tool's help does not list it";
    EXPECT_TRUE(takeJournal().empty());
}

}  // namespace
}  // namespace qltest
