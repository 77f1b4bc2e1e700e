// Bad words on qlsim's command line: exit code 2, a message that names what
// is wrong, and not one byte of the driver's records changed.
#include "sim_records.h"
#include "support/qlsim_run.h"
#include "support/simulated_client.h"

namespace {

using qltest::RunQlsim;

struct RefusalCase {
    const char* name;
    std::wstring arguments;
    const char* message;  // part of standard error
};

// Failures name the case, not its bytes.
void PrintTo(const RefusalCase& c, std::ostream* out) { *out << c.name; }

class Refusal : public qltest::SimulatedClientTest, public testing::WithParamInterface<RefusalCase> {
protected:
    std::vector<std::vector<uint8_t>> records() {
        return {record(QLSIM_RECORD_VIRTUAL_ADDRESS), record(QLSIM_RECORD_SERVER_ADDRESSES),
                record(QLSIM_RECORD_INTERFACE_TABLE)};
    }
};

TEST_P(Refusal, ExitsWithUsageAndChangesNothing) {
    ASSERT_EQ(RunQlsim(L"address virtual 10.0.0.1").exitCode, 0u);
    ASSERT_EQ(RunQlsim(L"address pop 10.0.0.2:80").exitCode, 0u);
    ASSERT_EQ(RunQlsim(L"interface fill 2").exitCode, 0u);
    const auto before = records();
    qltest::QlsimRun run = RunQlsim(GetParam().arguments);
    EXPECT_EQ(run.exitCode, 2u);
    EXPECT_NE(run.err.find(GetParam().message), std::string::npos) << run.err;
    EXPECT_EQ(records(), before);
}

std::wstring Repeated(const std::wstring& word, size_t times) {
    std::wstring words;
    for (size_t i = 0; i < times; ++i) words += word;
    return words;
}

const char kNotAddress[] = "is not an address: give one of 10.1.2.3";

INSTANTIATE_TEST_SUITE_P(
    Addresses, Refusal,
    testing::Values(RefusalCase{"Prefix", L"address virtual 10.1.2.3/24", kNotAddress},
                    RefusalCase{"Octet", L"address pop 300.1.2.3", kNotAddress},
                    RefusalCase{"List", L"address server 10.1.2.3,10.0.0.1", kNotAddress},
                    RefusalCase{"Empty", L"address server \"\"", kNotAddress},
                    RefusalCase{"HostName", L"address pop vpn.example.com", kNotAddress},
                    RefusalCase{"UnknownPlace", L"address gateway 10.1.2.3", "usage: qlsim address"},
                    RefusalCase{"Missing", L"address virtual", "usage: qlsim address"},
                    RefusalCase{"ShowFormat", L"address show --yaml", "usage: qlsim address"}),
    [](const testing::TestParamInfo<RefusalCase>& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(
    Interfaces, Refusal,
    testing::Values(
        RefusalCase{"NoName", L"interface add --mac 00-01", "--name is required"},
        RefusalCase{"LongName", L"interface add --name " + Repeated(L"n", 514), "is 514 characters, the field holds 513"},
        RefusalCase{"LongSecondText", L"interface add --name a --second-text " + Repeated(L"s", 35),
                    "is 35 characters, the field holds 34"},
        RefusalCase{"LongMac", L"interface add --name a --mac 00" + Repeated(L"-00", 19), "is 20 bytes, the field holds 19"},
        RefusalCase{"MacWithoutSeparators", L"interface add --name a --mac 001A2B", "is not bytes as 00-1A-2B"},
        RefusalCase{"LongTrailing", L"interface add --name a --trailing " + Repeated(L"00", 17),
                    "is 17 bytes, the field holds 16"},
        RefusalCase{"OddTrailing", L"interface add --name a --trailing ABC", "is not bytes as 0A1B2C"},
        RefusalCase{"TooManyAddresses", L"interface add --name a" + Repeated(L" --address 10.0.0.1", 84),
                    "is 84 addresses, the field holds 83"},
        RefusalCase{"AddressWithPrefix", L"interface add --name a --address 10.0.0.0/8", kNotAddress},
        RefusalCase{"NegativeFlags", L"interface add --name a --flags -1", "is not a number of 32 bits"},
        RefusalCase{"Value16Overflow", L"interface add --name a --value16 18446744073709551616",
                    "is not a number of 64 bits"},
        RefusalCase{"UnknownOption", L"interface add --name a --speed 1000", "unknown option \"--speed\""},
        RefusalCase{"MissingValue", L"interface add --name a --flags", "--flags needs a value"},
        RefusalCase{"RepeatedName", L"interface add --name a --name b", "--name given twice"},
        RefusalCase{"FillBeyondLimit", L"interface fill 201", "at most 200 do"},
        RefusalCase{"FillNotANumber", L"interface fill -1", "COUNT must be a number"},
        RefusalCase{"ListFormat", L"interface list --xml", "usage: qlsim interface"}),
    [](const testing::TestParamInfo<RefusalCase>& info) { return info.param.name; });

TEST(Help, IsOnStandardOutput) {
    for (const wchar_t* command : {L"address", L"interface"}) {
        qltest::QlsimRun run = RunQlsim(std::wstring(command) + L" --help");
        EXPECT_EQ(run.exitCode, 0u);
        EXPECT_EQ(run.out.rfind("usage: qlsim " + std::string(command, command + wcslen(command)), 0), 0u) << run.out;
    }
}

}  // namespace
