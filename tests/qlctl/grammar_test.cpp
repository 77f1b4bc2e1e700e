// qlctl parse and format: each option reaches the grammar as its flag, the
// fields come out as the grammar read them, refusals name their cause, and
// a text written back reads as itself.
#include "support/qlctl_process.h"
#include "support/simulated_client.h"
#include "support/sorted_json.h"

namespace qltest {
namespace {

struct GrammarCase {
    const char* name;
    const wchar_t* arguments;
    DWORD exitCode;
    const char* out;
    const char* err;  // "": nothing at all
};

const char kInvalid[] = "0x80150008 not a valid address text";

const GrammarCase kCases[] = {
    {"ParseIPv6", L"parse [fe80::1%3/64]:443", 0,
     "family:        ipv6\naddress:       fe80::1\nport:          443\nzone:          3\n"
     "prefix length: 64\nformatted:     [fe80::1%3/64]:443\n", ""},
    {"ParseIPv4Json", L"parse 10.0.0.0/255.0.0.0:80 --json", 0,
     "{\"address\":\"10.0.0.0\",\"family\":\"ipv4\",\"port\":80,\"prefix\":8,\"text\":\"10.0.0.0/8:80\"}\n", ""},
    {"ParseFlagsThatPass", L"parse [::1]:80 --reject-ipv4 --reject-prefix --require-port --json", 0,
     "{\"address\":\"::1\",\"family\":\"ipv6\",\"port\":80,\"prefix\":128,\"text\":\"[::1]:80\",\"zone\":0}\n", ""},
    {"NotAnAddress", L"parse 10.1.2.3:5008/8", 1, "", kInvalid},
    {"RejectIPv6", L"parse fe80::1 --reject-ipv6", 1, "", "with --reject-ipv6\n"},
    {"RejectIPv4", L"parse 10.1.2.3 --reject-ipv4", 1, "", "with --reject-ipv4\n"},
    {"RejectPrefix", L"parse 10.0.0.0/8 --reject-prefix", 1, "", "with --reject-prefix\n"},
    {"OnlyTheRefusingOptionsAreNamed", L"parse 10.1.2.3 --reject-ipv6 --require-prefix --require-port", 1, "",
     "qlctl parse: 0x80150008 not a valid address text with --require-prefix, --require-port\n"},
    {"RejectPort", L"parse [::1]:80 --reject-port --json", 1, "", "with --reject-port\n"},
    {"FormatMask", L"format 10.0.0.0/8 --mask-prefix", 0, "10.0.0.0/255.0.0.0\n", ""},
    {"FormatNeverPrefix", L"format [fe80::1/64]:443 --never-prefix", 0, "[fe80::1]:443\n", ""},
    {"FormatAlwaysPrefix", L"format 10.1.2.3 --always-prefix", 0, "10.1.2.3/32\n", ""},
    {"FormatNeverPort", L"format [fe80::1%12]:443 --never-port", 0, "fe80::1%12\n", ""},
    {"FormatAlwaysPort", L"format 10.1.2.3 --always-port", 0, "10.1.2.3:0\n", ""},
    {"FormatBracketsJson", L"format ::1 --brackets --json", 0, "{\"text\":\"[::1]\"}\n", ""},
    {"FormatRefusesWhatParseRefuses", L"format 256.1.1.1", 1, "", kInvalid},
};

class Grammar : public SimulatedClientTest, public testing::WithParamInterface<GrammarCase> {};

TEST_P(Grammar, PrintsOrRefusesWithoutTheClient) {
    const GrammarCase& c = GetParam();
    Outcome outcome = RunQlctl(c.arguments);
    EXPECT_EQ(outcome.exitCode, c.exitCode) << outcome.err;
    EXPECT_EQ(outcome.out, c.out);
    EXPECT_EQ(outcome.err.empty(), !*c.err) << outcome.err;
    EXPECT_NE(outcome.err.find(c.err), std::string::npos) << outcome.err;
    if (outcome.out.find('{') == 0) {
        EXPECT_TRUE(IsSortedJsonObject(outcome.out.substr(0, outcome.out.size() - 1)));
    }
    EXPECT_TRUE(takeJournal().empty()) << "the grammar needs no library";
}

INSTANTIATE_TEST_SUITE_P(Qlctl, Grammar, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<GrammarCase>& info) { return info.param.name; });

std::wstring Wide(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

// Formatting the written-back text gives it again, and parse shows it as
// its own formatted form.
class RoundTrip : public SimulatedClientTest, public testing::WithParamInterface<const wchar_t*> {};

TEST_P(RoundTrip, WrittenBackTextReadsAsItself) {
    Outcome first = RunQlctl(L"format " + std::wstring(GetParam()));
    ASSERT_EQ(first.exitCode, 0u) << first.err;
    std::string text = first.out.substr(0, first.out.size() - 1);
    QlctlProcess formatted(L"format " + Wide(text)), parsing(L"parse " + Wide(text) + L" --json");  // side by side
    EXPECT_EQ(formatted.finish().out, first.out);
    Outcome parsed = parsing.finish();
    EXPECT_NE(parsed.out.find(",\"text\":\"" + text + "\""), std::string::npos) << parsed.out;
}

INSTANTIATE_TEST_SUITE_P(Qlctl, RoundTrip,
                         testing::Values(L"010.001.002.003:08080", L"10.0.0.0/0", L"1:0:0:2:0:0:0:3/48",
                                         L"[::2%4294967295/0]:65535", L"[FE80::ABCD%12]:443"));

}  // namespace
}  // namespace qltest
