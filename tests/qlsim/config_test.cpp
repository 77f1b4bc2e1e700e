// qlsim config: a fresh installation's keys and services laid down and taken
// away, checked with Wine's own reg.exe and sc.exe, and bad words refused.
// (The library's tests lay down single values through the same code.)
#include "support/child_process.h"
#include "support/client_config.h"
#include "support/qlsim_run.h"

namespace {

using qltest::RegQuery;
using qltest::RunQlsim;
const std::wstring kParams = qlsim::kClientParamsKey, kState = qlsim::kClientStateKey;

bool Registered(const wchar_t* service) {
    return qltest::RunChild(qltest::SystemProgram(L"sc.exe"), std::wstring(L"query ") + service).exitCode == 0;
}

class ConfigCommand : public qltest::SimulatedClientTest {
protected:
    void TearDown() override { EXPECT_EQ(RunQlsim(L"config remove").exitCode, 0u); }
};

TEST_F(ConfigCommand, InstallsAndRemovesAWholeInstallation) {
    ASSERT_EQ(RunQlsim(L"config install").exitCode, 0u);
    EXPECT_EQ(RegQuery(kParams, L"VmsAddress"), "REG_SZ ");
    EXPECT_EQ(RegQuery(kParams, L"VmsCache"), "REG_BINARY ");
    EXPECT_EQ(RegQuery(kParams, L"Enabled"), "REG_DWORD 0x1");
    EXPECT_EQ(RegQuery(kState, L"CurrentSubkey"), "REG_SZ Default");
    EXPECT_EQ(RegQuery(kState, L"PID").size(), std::string("REG_BINARY ").size() + 64);
    for (const wchar_t* service : {L"VESSERV", L"QLUPDATE", L"QLCollector", L"QLFILTER", L"QLutilnt", L"qlvadapter",
                                   L"PolicyAgent"})
        EXPECT_TRUE(Registered(service)) << "not registered";
    EXPECT_EQ(RegQuery(qlsim::kServicesKey + std::wstring(L"\\QLFILTER"), L"Start"), "REG_DWORD 0x1");
    const qltest::QlsimRun show = RunQlsim(L"config show");
    EXPECT_NE(show.out.find(" 32 bytes in 1 piece: "), std::string::npos) << show.out;

    ASSERT_EQ(RunQlsim(L"config remove").exitCode, 0u);
    EXPECT_EQ(RegQuery(kState, L"PID"), "");
    EXPECT_EQ(RegQuery(kParams, L"Enabled"), "");
    EXPECT_FALSE(Registered(L"VESSERV"));
    EXPECT_FALSE(Registered(L"PolicyAgent"));
    EXPECT_TRUE(Registered(L"QLDRV"));
    EXPECT_EQ(RegQuery(qlsim::kServicesKey + std::wstring(L"\\QLDRV"), L"Start"), "REG_DWORD 0x3");
}

TEST_F(ConfigCommand, RefusesBadWords) {
    for (const wchar_t* arguments : {L"config pid 0G", L"config pid --size", L"config cache 3", L"config enabled x",
                                     L"config current", L"config services start", L"config nothing"}) {
        const qltest::QlsimRun run = RunQlsim(arguments);
        EXPECT_EQ(run.exitCode, 2u) << run.err;
    }
}

}  // namespace
