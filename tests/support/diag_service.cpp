#include "support/diag_service.h"

#include <windows.h>

namespace qltest {

namespace {

void StartService() {
    if (qlsim::DiagServiceState() != SERVICE_RUNNING) {
        ASSERT_EQ(qlsim::InstallDiagService(), DWORD(ERROR_SUCCESS));
        ASSERT_EQ(qlsim::StartDiagService(), DWORD(ERROR_SUCCESS));
    }
}

}  // namespace

void DiagServiceTest::SetUp() {
    StartService();
    ASSERT_TRUE(service_.reset()) << "the diagnostics service does not answer its control pipe, error "
                                  << service_.lastError() << " " << service_.lastReply();
    ASSERT_TRUE(service_.timing(0, 0, 0));
    ASSERT_TRUE(SettingsStores::Clear());
    ASSERT_TRUE(SettingsStores::UseBinaryStore());
}

std::vector<std::string> DiagServiceTest::takeRequests() {
    std::vector<std::string> messages;
    EXPECT_TRUE(service_.log(messages, true));
    return messages;
}

uint64_t DiagServiceTest::connections() {
    uint64_t count = 0;
    EXPECT_TRUE(service_.connections(count));
    return count;
}

void DiagServiceTest::allowReportsAndTests() {
    ASSERT_TRUE(SettingsStores::UseTextStore());
    ASSERT_TRUE(SettingsStores::SetText(24850, L"1"));
    ASSERT_TRUE(SettingsStores::SetText(24872, L"1"));
}

// Installed but stopped: the machine may not have registered the service
// yet when a test of its absence runs first.
void DiagServiceAbsentTest::SetUp() {
    ASSERT_EQ(qlsim::InstallDiagService(), DWORD(ERROR_SUCCESS));
    ASSERT_EQ(qlsim::StopDiagService(), DWORD(ERROR_SUCCESS));
}

void DiagServiceAbsentTest::TearDown() { StartService(); }

}  // namespace qltest
