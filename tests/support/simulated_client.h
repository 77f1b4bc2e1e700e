// Test fixtures over the simulated client: every test starts from the
// driver's defaults with an empty journal.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "sim_control.h"
#include "support/journal.h"
#include "support/library.h"

namespace qltest {

bool SimulatedClientRunning();

class SimulatedClientTest : public testing::Test {
protected:
    void SetUp() override;

    qlsim::SimControl& sim() { return *sim_; }
    template <typename Change>
    void changeSim(Change change) {
        ASSERT_TRUE(sim().updateState(change)) << "cannot change the simulated state";
    }
    void refuse(uint32_t code) { ASSERT_TRUE(sim().setRule(code, QLSIM_RULE_REFUSE)); }
    void answerShort(uint32_t code, uint32_t bytes) { ASSERT_TRUE(sim().setRule(code, QLSIM_RULE_SHORT, bytes)); }
    std::vector<uint8_t> record(uint32_t id);

    // What the driver saw since the last call (or since SetUp), then forgets it.
    std::vector<SeenEvent> takeJournal();
    // Only the requests of takeJournal(), as "0x22244F sync" lines.
    std::vector<std::string> takeRequests();
    // Waits (up to five seconds) until the journal holds `count` events, for
    // what the driver learns after the call returned (a handle's close),
    // then takes it.
    std::vector<SeenEvent> takeJournalOnceItHolds(size_t count);

    // qlclapi.dll loaded after the driver was set up, with the load's own
    // requests taken from the journal.
    std::unique_ptr<Library> loadLibrary();

private:
    std::unique_ptr<qlsim::SimControl> sim_;
};

}  // namespace qltest
