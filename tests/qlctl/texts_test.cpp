// connect and condition: the texts qlctl hands to the simulated client, and
// the passwords it refuses to take.
#include "support/qlctl_process.h"
#include "support/simulated_client.h"

namespace qltest {
namespace {

// A text field of a record the driver kept: 256 UTF-16 units, terminated.
std::wstring RecordText(const std::vector<uint8_t>& record, size_t offset) {
    std::wstring text;
    for (size_t at = offset; at + 1 < record.size() && at < offset + 512 && (record[at] | record[at + 1]); at += 2)
        text += wchar_t(record[at] | record[at + 1] << 8);
    return text;
}

struct DeliveredCase {
    const char* name;
    const wchar_t* arguments;
    std::string input;
    std::wstring user, password, domain;
};

const DeliveredCase kDeliveredCases[] = {
    {"UserAndPassword", L"connect --user bob --password-stdin", "hunter2\n", L"bob", L"hunter2", L""},
    {"DomainIsTheThirdText", L"connect --domain corp --user=bob --password-stdin", "hunter2\r\n", L"bob",
     L"hunter2", L"corp"},
    {"FirstLineWithoutEnd", L"connect --user bob --password-stdin", " spaced out ", L"bob", L" spaced out ", L""},
    {"Utf8Password", L"connect --user bob --password-stdin", "p\xC3\xA4ss\xE2\x82\xAC\n", L"bob",
     L"p\u00E4ss\u20AC", L""},
    {"LongestPassword", L"connect --user bob --password-stdin", std::string(255, 'x') + "\n", L"bob",
     std::wstring(255, L'x'), L""},
};

class ConnectDelivers : public SimulatedClientTest, public testing::WithParamInterface<DeliveredCase> {};

TEST_P(ConnectDelivers, TheTextsInArgumentOrder) {
    const DeliveredCase& c = GetParam();
    Outcome outcome = RunQlctl(c.arguments, c.input);
    EXPECT_EQ(outcome.exitCode, 0u) << outcome.err;
    EXPECT_EQ(outcome.out, "the client was given the credentials and asked to enable\n");
    std::vector<uint8_t> credential = record(QLSIM_RECORD_CREDENTIAL);
    ASSERT_EQ(credential.size(), 1540u);
    EXPECT_EQ(credential[0], 1u) << "password credentials";  // texts at 4, 516, 1028
    EXPECT_EQ(RecordText(credential, 4), c.user);
    EXPECT_EQ(RecordText(credential, 516), c.password);
    EXPECT_EQ(RecordText(credential, 1028), c.domain);
}

INSTANTIATE_TEST_SUITE_P(Qlctl, ConnectDelivers, testing::ValuesIn(kDeliveredCases),
                         [](const testing::TestParamInfo<DeliveredCase>& info) { return info.param.name; });

struct RefusedCase {
    const char* name;
    const wchar_t* arguments;
    std::string input;
    const char* message;
};

const RefusedCase kRefusedCases[] = {
    {"PasswordOption", L"connect --user bob --password hunter2", "", "password on the command line"},
    {"ShortPasswordOption", L"connect --user bob -p hunter2", "", "password on the command line"},
    {"PasswordAsWord", L"connect --user bob hunter2", "", "never taken from the command line"},
    {"NoUser", L"connect --password-stdin", "hunter2\n", "--user is required"},
    {"PipeWithoutOption", L"connect --user bob", "hunter2\n", "--password-stdin"},
    {"EmptyLine", L"connect --user bob --password-stdin", "\n", "no password"},
    {"PasswordTooLong", L"connect --user bob --password-stdin", std::string(256, 'x') + "\n", "longer than 255"},
    {"NotUtf8", L"connect --user bob --password-stdin", "hunter\xFF\n", "not UTF-8"},
    {"NulInPassword", L"connect --user bob --password-stdin", std::string("hun\0ter2\n", 9), "NUL"},
};

class ConnectRefuses : public SimulatedClientTest, public testing::WithParamInterface<RefusedCase> {};

TEST_P(ConnectRefuses, WithUsageExitSendingNothing) {
    const RefusedCase& c = GetParam();
    Outcome outcome = RunQlctl(c.arguments, c.input);
    EXPECT_EQ(outcome.exitCode, 2u);
    EXPECT_NE(outcome.err.find(c.message), std::string::npos) << outcome.err;
    EXPECT_EQ(outcome.err.find("hunter"), std::string::npos) << "the password was echoed: " << outcome.err;
    for (const std::string& request : takeRequests())
        EXPECT_EQ(request, "0x222403 sync") << "only the library's load may reach the driver";
}

INSTANTIATE_TEST_SUITE_P(Qlctl, ConnectRefuses, testing::ValuesIn(kRefusedCases),
                         [](const testing::TestParamInfo<RefusedCase>& info) { return info.param.name; });

struct ConditionCase {
    const char* name;
    std::wstring arguments, first, second;
};

const ConditionCase kConditionCases[] = {
    {"SecondLeftOut", L"condition wifi", L"wifi", L""},
    {"TextsThatLookLikeOptions", L"condition -- -1 --json", L"-1", L"--json"},
    {"LongestNonAsciiTexts", L"condition " + std::wstring(255, L'\u00E9') + L" \u4E2D", std::wstring(255, L'\u00E9'),
     L"\u4E2D"},
};

class Condition : public SimulatedClientTest, public testing::WithParamInterface<ConditionCase> {};

TEST_P(Condition, ReachesTheClientInOrder) {
    const ConditionCase& c = GetParam();
    EXPECT_EQ(RunQlctl(c.arguments).exitCode, 0u);
    std::vector<uint8_t> condition = record(QLSIM_RECORD_CONDITION);
    EXPECT_EQ(RecordText(condition, 0), c.first);
    EXPECT_EQ(RecordText(condition, 512), c.second);
}

INSTANTIATE_TEST_SUITE_P(Qlctl, Condition, testing::ValuesIn(kConditionCases),
                         [](const testing::TestParamInfo<ConditionCase>& info) { return info.param.name; });

}  // namespace
}  // namespace qltest
