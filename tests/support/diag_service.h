// Test fixtures over the simulated diagnostics service: every test starts
// with the service running and reset (normal answers, empty request log),
// reports and tests that finish at once, and empty settings stores.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "diag_sim_control.h"
#include "support/process_usage.h"
#include "support/settings_stores.h"

namespace qltest {

class DiagServiceTest : public testing::Test {
protected:
    void SetUp() override;

    qlsim::DiagSimControl& service() { return service_; }
    // The request messages the service received since the last call.
    std::vector<std::string> takeRequests();
    uint64_t connections();
    // Both gates on in the text store.
    void allowReportsAndTests();

private:
    qlsim::DiagSimControl service_;
};

// Runs with the diagnostics service stopped; starts it again afterwards.
class DiagServiceAbsentTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};

}  // namespace qltest
