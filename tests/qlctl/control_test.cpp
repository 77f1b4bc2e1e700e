// enable, logoff, bypass, route-check and condition: the one request each
// makes the simulated client receive.
#include "support/qlctl_process.h"
#include "support/simulated_client.h"

namespace qltest {
namespace {

struct ControlCase {
    const char* name;
    const wchar_t* arguments;
    const char* out;
    const char* request;  // the one request after the library's version request at load
};

const ControlCase kControlCases[] = {
    {"Enable", L"enable", "the client was asked to enable\n", "0x22248B sync"},
    {"Logoff", L"logoff", "the client was asked to log off\n", "0x2224DB sync"},
    {"Bypass", L"bypass", "the client was asked to bypass\n", "0x222487 sync"},
    {"RouteCheck", L"route-check", "the client was asked to check its route\n", "0x2226D7 sync"},
    {"Condition", L"condition wifi trusted", "the condition was handed to the library\n", "0x22283F sync"},
};

class Control : public SimulatedClientTest, public testing::WithParamInterface<ControlCase> {};

TEST_P(Control, SendsItsRequest) {
    const ControlCase& c = GetParam();
    Outcome outcome = RunQlctl(c.arguments);
    EXPECT_EQ(outcome.exitCode, 0u) << outcome.err;
    EXPECT_EQ(outcome.out, c.out);
    EXPECT_EQ(takeRequests(), (std::vector<std::string>{"0x222403 sync", c.request}));
}

INSTANTIATE_TEST_SUITE_P(Qlctl, Control, testing::ValuesIn(kControlCases),
                         [](const testing::TestParamInfo<ControlCase>& info) { return info.param.name; });

}  // namespace
}  // namespace qltest
