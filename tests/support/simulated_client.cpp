#include "support/simulated_client.h"

#include "sim_service.h"

namespace qltest {

bool SimulatedClientRunning() { return qlsim::DriverServiceState() == SERVICE_RUNNING; }

void SimulatedClientTest::SetUp() {
    if (!SimulatedClientRunning()) {
        ASSERT_EQ(qlsim::StartDriverService(), DWORD(ERROR_SUCCESS));
    }
    sim_ = std::make_unique<qlsim::SimControl>();
    ASSERT_TRUE(sim_->isOpen()) << "cannot open the control device, error " << sim_->lastError();
    ASSERT_TRUE(sim_->reset());
}

std::vector<uint8_t> SimulatedClientTest::record(uint32_t id) {
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(sim().getRecord(id, bytes));
    return bytes;
}

std::vector<SeenEvent> SimulatedClientTest::takeJournal() {
    std::vector<QlSimJournalEntry> entries;
    QlSimJournalHeader header{};
    EXPECT_TRUE(sim().readJournal(entries, &header));
    EXPECT_EQ(header.dropped, 0u) << "the journal overflowed";
    EXPECT_TRUE(sim().clearJournal());
    return ToSeenEvents(entries);
}

std::vector<std::string> SimulatedClientTest::takeRequests() { return RequestLines(takeJournal()); }

std::vector<SeenEvent> SimulatedClientTest::takeJournalOnceItHolds(size_t count) {
    std::vector<QlSimJournalEntry> entries;
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (sim().readJournal(entries) && entries.size() >= count) break;
        Sleep(50);
    }
    return takeJournal();
}

std::unique_ptr<Library> SimulatedClientTest::loadLibrary() {
    auto library = std::make_unique<Library>();
    EXPECT_TRUE(library->loaded()) << "LoadLibrary(qlclapi.dll) failed, error " << GetLastError();
    takeJournal();
    return library;
}

}  // namespace qltest
