// qlsim details: the names and markers of the connection details record by
// name, written where the driver answers from, each field keeping the
// others, and refused words changing nothing.
#include "sim_records.h"
#include "support/qlsim_run.h"
#include "support/simulated_client.h"

namespace {

using qltest::RunQlsim;

class DetailsCommand : public qltest::SimulatedClientTest {
protected:
    qlsim::SimConnectionDetails details() { return qlsim::ReadConnectionDetails(record(QLSIM_RECORD_CONNECTION_DETAILS)); }
};

TEST_F(DetailsCommand, SetsFieldsByNameAndKeepsTheRest) {
    EXPECT_EQ(RunQlsim(L"details show").out,
              "user           \"\"\nuser-marker    0\ndevice         \"\"\ndevice-marker  0\n");
    ASSERT_EQ(RunQlsim(L"details set user alice device-marker absent").exitCode, 0u);
    ASSERT_EQ(RunQlsim(L"details set device PC-7 user-marker 0x10").exitCode, 0u);
    const std::vector<uint8_t> bytes = record(QLSIM_RECORD_CONNECTION_DETAILS);
    EXPECT_EQ(bytes, qlsim::ConnectionDetailsBytes({u"alice", u"PC-7", 16, qlsim::kSimDetailsAbsent}));
    EXPECT_EQ(RunQlsim(L"details show --json").out,
              "{\"device\":\"PC-7\",\"device-marker\":4294967295,\"user\":\"alice\",\"user-marker\":16}\n");

    // 255 units fill the field: no terminator before the device's name.
    ASSERT_EQ(RunQlsim(L"details set user " + std::wstring(255, L'u')).exitCode, 0u);
    const std::vector<uint8_t> full = record(QLSIM_RECORD_CONNECTION_DETAILS);
    EXPECT_EQ(full[32 + 508], 'u');
    EXPECT_EQ(full[542], 'P');
    EXPECT_EQ(details().user, std::u16string(255, u'u'));
}

TEST_F(DetailsCommand, RefusesWhatTheRecordCannotHold) {
    ASSERT_EQ(RunQlsim(L"details set user bob").exitCode, 0u);
    const auto before = record(QLSIM_RECORD_CONNECTION_DETAILS);
    const std::pair<std::wstring, const char*> refusals[] = {
        {L"details set user " + std::wstring(256, L'x'), "at most 255 characters"},
        {L"details set user-marker none", "is not a marker"},
        {L"details set shoe size", "unknown field"},
        {L"details set user", "usage: qlsim details"},
        {L"details show --yaml", "usage: qlsim details"},
    };
    for (const auto& [arguments, message] : refusals) {
        qltest::QlsimRun run = RunQlsim(arguments);
        EXPECT_EQ(run.exitCode, 2u) << message;
        EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
        EXPECT_EQ(record(QLSIM_RECORD_CONNECTION_DETAILS), before) << message;
    }
}

}  // namespace
