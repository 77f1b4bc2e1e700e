// qlctl parse and format: the library's address grammar on the command line,
// with its flags, its refusals and texts that survive being written back.
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
    const char* err;  // a part of the message; "" for none at all
};

const GrammarCase kCases[] = {
    // parse: the fields of each form.
    {"ParseIPv6Full", L"parse [fe80::1%3/64]:443", 0,
     "family:        ipv6\naddress:       fe80::1\nport:          443\nzone:          3\n"
     "prefix length: 64\nformatted:     [fe80::1%3/64]:443\n",
     ""},
    {"ParseIPv6Json", L"parse [fe80::1%3/64]:443 --json", 0,
     "{\"address\":\"fe80::1\",\"family\":\"ipv6\",\"port\":443,\"prefix\":64,\"text\":\"[fe80::1%3/64]:443\","
     "\"zone\":3}\n",
     ""},
    {"ParseIPv4WithPort", L"parse 10.1.2.3:5008", 0,
     "family:        ipv4\naddress:       10.1.2.3\nport:          5008\nprefix length: 32\n"
     "formatted:     10.1.2.3:5008\n",
     ""},
    {"ParseIPv4Json", L"parse 10.1.2.3:5008 --json", 0,
     "{\"address\":\"10.1.2.3\",\"family\":\"ipv4\",\"port\":5008,\"prefix\":32,\"text\":\"10.1.2.3:5008\"}\n", ""},
    {"ParseDottedMask", L"parse 10.0.0.0/255.0.0.0 --json", 0,
     "{\"address\":\"10.0.0.0\",\"family\":\"ipv4\",\"port\":0,\"prefix\":8,\"text\":\"10.0.0.0/8\"}\n", ""},
    {"ParseMappedIPv4", L"parse ::ffff:10.1.2.3 --json", 0,
     "{\"address\":\"::ffff:10.1.2.3\",\"family\":\"ipv6\",\"port\":0,\"prefix\":128,\"text\":\"::ffff:10.1.2.3\","
     "\"zone\":0}\n",
     ""},
    {"ParseIPv6PortNeedsBrackets", L"parse fe80::1:443 --json", 0,
     "{\"address\":\"fe80::1:443\",\"family\":\"ipv6\",\"port\":0,\"prefix\":128,\"text\":\"fe80::1:443\","
     "\"zone\":0}\n",
     ""},
    {"ParseStopsAtComma", L"parse 10.1.2.3,garbage --json", 0,
     "{\"address\":\"10.1.2.3\",\"family\":\"ipv4\",\"port\":0,\"prefix\":32,\"text\":\"10.1.2.3\"}\n", ""},
    {"ParseFlagsThatPass", L"parse [::1]:80 --reject-ipv4 --reject-prefix --require-port --json", 0,
     "{\"address\":\"::1\",\"family\":\"ipv6\",\"port\":80,\"prefix\":128,\"text\":\"[::1]:80\",\"zone\":0}\n", ""},
    // parse: refusals, with the options to blame when the text is valid.
    {"PrefixAfterPort", L"parse 10.1.2.3:5008/8", 1, "", "qlctl parse: 0x80150008 not a valid address text\n"},
    {"NamedZone", L"parse fe80::1%eth0", 1, "", "qlctl parse: 0x80150008 not a valid address text\n"},
    {"ThreeParts", L"parse 1.2.3", 1, "", "qlctl parse: 0x80150008 not a valid address text\n"},
    {"BareNumber", L"parse 5008", 1, "", "qlctl parse: 0x80150008 not a valid address text\n"},
    {"RejectPort", L"parse 10.1.2.3:5008 --reject-port", 1, "",
     "qlctl parse: 0x80150008 not a valid address text with --reject-port\n"},
    {"OnlyTheRefusingOptionIsNamed", L"parse 10.1.2.3 --reject-ipv6 --require-port --reject-prefix", 1, "",
     "qlctl parse: 0x80150008 not a valid address text with --require-port\n"},
    {"RejectIPv6AndRequirePrefix", L"parse fe80::1 --reject-ipv6 --require-prefix --json", 1, "",
     "qlctl parse: 0x80150008 not a valid address text with --reject-ipv6, --require-prefix\n"},
    {"RejectIPv4", L"parse 10.1.2.3 --reject-ipv4", 1, "", "with --reject-ipv4\n"},
    // format: each flag.
    {"FormatDefault", L"format 2001:0:0:1:0:0:0:1", 0, "2001::1:0:0:0:1\n", ""},
    {"FormatMask", L"format 10.0.0.0/8 --mask-prefix", 0, "10.0.0.0/255.0.0.0\n", ""},
    {"FormatNeverPrefix", L"format [fe80::1/64]:443 --never-prefix", 0, "[fe80::1]:443\n", ""},
    {"FormatAlwaysPrefix", L"format 10.1.2.3 --always-prefix", 0, "10.1.2.3/32\n", ""},
    {"FormatNeverPort", L"format [fe80::1%12]:443 --never-port", 0, "fe80::1%12\n", ""},
    {"FormatAlwaysPort", L"format 10.1.2.3 --always-port", 0, "10.1.2.3:0\n", ""},
    {"FormatBrackets", L"format ::1 --brackets", 0, "[::1]\n", ""},
    {"FormatBracketsLeaveIPv4", L"format 10.1.2.3 --brackets", 0, "10.1.2.3\n", ""},
    {"FormatZeroPrefixBesideAddress", L"format 10.0.0.0/0", 0, "10.0.0.0\n", ""},
    {"FormatJson", L"format ::/0 --json", 0, "{\"text\":\"::/0\"}\n", ""},
    {"FormatRefusesWhatParseRefuses", L"format 256.1.1.1", 1, "",
     "qlctl format: 0x80150008 not a valid address text\n"},
};

class Grammar : public SimulatedClientTest, public testing::WithParamInterface<GrammarCase> {};

TEST_P(Grammar, PrintsOrRefusesWithoutTheClient) {
    const GrammarCase& c = GetParam();
    Outcome outcome = RunQlctl(c.arguments);
    EXPECT_EQ(outcome.exitCode, c.exitCode) << outcome.err;
    EXPECT_EQ(outcome.out, c.out);
    if (*c.err) {
        EXPECT_NE(outcome.err.find(c.err), std::string::npos) << outcome.err;
    } else {
        EXPECT_EQ(outcome.err, "");
    }
    if (c.exitCode == 0 && std::wstring(c.arguments).find(L"--json") != std::wstring::npos) {
        EXPECT_TRUE(IsSortedJsonObject(outcome.out.substr(0, outcome.out.size() - 1)));
    }
    EXPECT_TRUE(takeJournal().empty()) << "the grammar needs no library";
}

INSTANTIATE_TEST_SUITE_P(Qlctl, Grammar, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<GrammarCase>& info) { return info.param.name; });

std::wstring Wide(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

// Whatever a text says, the text written back says it again: formatting it
// gives itself, and parse shows it as its formatted form.
class RoundTrip : public SimulatedClientTest, public testing::WithParamInterface<const wchar_t*> {};

TEST_P(RoundTrip, WrittenBackTextReadsAsItself) {
    Outcome first = RunQlctl(L"format " + std::wstring(GetParam()));
    ASSERT_EQ(first.exitCode, 0u) << first.err;
    std::string text = first.out.substr(0, first.out.size() - 1);
    Outcome again = RunQlctl(L"format " + Wide(text));
    EXPECT_EQ(again.out, first.out);
    Outcome parsed = RunQlctl(L"parse " + Wide(text) + L" --json");
    EXPECT_NE(parsed.out.find(",\"text\":\"" + text + "\""), std::string::npos) << parsed.out;
}

INSTANTIATE_TEST_SUITE_P(Qlctl, RoundTrip,
                         testing::Values(L"10.1.2.3", L"010.001.002.003:08080", L"10.0.0.0/255.255.0.0",
                                         L"10.0.0.0/0", L"0.0.0.0/0", L"1:2:3:4:5:6:7::", L"1:0:0:2:0:0:0:3/48",
                                         L"[::2%4294967295/0]:65535", L"1:2:3:4:0:5efe:0.0.0.0",
                                         L"[FE80::ABCD%12]:443", L"::"));

}  // namespace
}  // namespace qltest
