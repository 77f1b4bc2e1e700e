// Bad words on qlsim's command line: exit code 2, a message that names what
// is wrong, and not one byte of the driver's records changed.
#include "support/qlsim_run.h"
#include "support/simulated_client.h"

namespace {

using qltest::RunQlsim;

struct RefusalCase {
    const char* name;
    std::wstring arguments;
    const char* message;  // part of standard error
};

void PrintTo(const RefusalCase& c, std::ostream* out) { *out << c.name; }

class Refusal : public qltest::SimulatedClientTest, public testing::WithParamInterface<RefusalCase> {
protected:
    std::vector<std::vector<uint8_t>> records() {
        return {record(QLSIM_RECORD_VIRTUAL_ADDRESS), record(QLSIM_RECORD_SERVER_ADDRESSES),
                record(QLSIM_RECORD_INTERFACE_TABLE)};
    }
};

TEST_P(Refusal, ExitsWithUsageAndChangesNothing) {
    for (const wchar_t* setUp : {L"address virtual 10.0.0.1", L"address pop 10.0.0.2:80", L"interface fill 2"})
        ASSERT_EQ(RunQlsim(setUp).exitCode, 0u);
    const auto before = records();
    qltest::QlsimRun run = RunQlsim(GetParam().arguments);
    EXPECT_EQ(run.exitCode, 2u);
    EXPECT_NE(run.err.find(GetParam().message), std::string::npos) << run.err;
    EXPECT_EQ(records(), before);
}

std::wstring Times(size_t count, const std::wstring& word) {
    std::wstring words;
    while (count--) words += word;
    return words;
}

const char kNotAddress[] = "is not an address: give one of 10.1.2.3";
const std::wstring kAdd = L"interface add --name a ";

INSTANTIATE_TEST_SUITE_P(
    Words, Refusal,
    testing::Values(
        RefusalCase{"Prefix", L"address virtual 10.1.2.3/24", kNotAddress},
        RefusalCase{"ListCutByTheGrammar", L"address server 10.1.2.3,10.0.0.1", kNotAddress},
        RefusalCase{"HostName", L"address pop vpn.example.com", kNotAddress},
        RefusalCase{"UnknownPlace", L"address gateway 10.1.2.3", "usage: qlsim address"},
        RefusalCase{"NoName", L"interface add --mac 00-01", "--name is required"},
        RefusalCase{"LongName", L"interface add --name " + Times(514, L"n"), "is 514 characters, the field holds 513"},
        RefusalCase{"LongSecondText", kAdd + L"--second-text " + Times(35, L"s"),
                    "is 35 characters, the field holds 34"},
        RefusalCase{"LongMac", kAdd + L"--mac 00" + Times(19, L"-00"), "is 20 bytes, the field holds 19"},
        RefusalCase{"MacWithoutSeparators", kAdd + L"--mac 001A2B", "is not bytes as 00-1A-2B"},
        RefusalCase{"LongTrailing", kAdd + L"--trailing " + Times(17, L"00"), "is 17 bytes, the field holds 16"},
        RefusalCase{"TooManyAddresses", kAdd + Times(84, L" --address 10.0.0.1"),
                    "is 84 addresses, the field holds 83"},
        RefusalCase{"NegativeFlags", kAdd + L"--flags -1", "is not a number of 32 bits"},
        RefusalCase{"Value16Overflow", kAdd + L"--value16 18446744073709551616", "is not a number of 64 bits"},
        RefusalCase{"UnknownOption", kAdd + L"--speed 1000", "unknown option \"--speed\""},
        RefusalCase{"MissingValue", kAdd + L"--flags", "--flags needs a value"},
        RefusalCase{"RepeatedName", kAdd + L"--name b", "--name given twice"},
        RefusalCase{"FillBeyondLimit", L"interface fill 201", "at most 200 do"}),
    [](const testing::TestParamInfo<RefusalCase>& info) { return info.param.name; });

TEST(Help, IsOnStandardOutput) {
    for (std::string command : {"address", "interface", "config"}) {
        qltest::QlsimRun run = RunQlsim(std::wstring(command.begin(), command.end()) + L" --help");
        EXPECT_EQ(run.exitCode, 0u);
        EXPECT_EQ(run.out.rfind("usage: qlsim " + command, 0), 0u) << run.out;
    }
}

}  // namespace
