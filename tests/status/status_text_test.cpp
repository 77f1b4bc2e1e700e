// The status text composed natively from the English source the DLL's
// string table is made of: every state, phase, reason, traffic flag and
// details record, exactly, and the limits with texts too long for them.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "resources/strings/source_string_table.h"
#include "sim_records.h"
#include "status/connection_status.h"

namespace {

using qlclapi::ConnectionSnapshot;
using qlstrings::SourceStringTable;
using qlstrings::ToUtf8;

const SourceStringTable& English() {
    static const SourceStringTable table = [] {
        qlstrings::StringSource source = qlstrings::ReadStringSourceFile(QLCLAPI_STRING_SOURCE);
        EXPECT_EQ(source.error, "");
        return SourceStringTable(source.entries);
    }();
    return table;
}

ConnectionSnapshot Snapshot(int32_t state, uint32_t phase = 0, uint32_t reason = 0, bool traffic = false) {
    ConnectionSnapshot s;
    s.state = state;
    s.connectingPhase = phase;
    s.disconnectReason = reason;
    s.trafficBypassed = traffic;
    return s;
}

ConnectionSnapshot Connected(const qlsim::SimConnectionDetails& details, bool traffic = false) {
    ConnectionSnapshot s = Snapshot(3, 0, 0, traffic);
    s.detailsAnswered = true;
    const std::vector<uint8_t> bytes = qlsim::ConnectionDetailsBytes(details);
    memcpy(s.details, bytes.data(), sizeof s.details);
    return s;
}

std::string Compose(const ConnectionSnapshot& s, const qlclapi::StringTable& strings = English()) {
    qlclapi::StatusText text;
    ComposeStatusText(s, strings, text);
    EXPECT_LE(text.length(), 1023u);
    EXPECT_EQ(text.text()[text.length()], 0);
    return ToUtf8(std::u16string(text.text(), text.length()));
}

constexpr uint32_t kAbsent = qlsim::kSimDetailsAbsent;
const std::u16string kUnterminatedUser(255, u'u');
const std::u16string kUnterminatedDevice(255, u'd');

struct Case {
    const char* name;
    ConnectionSnapshot snapshot;
    std::string text;
};

const Case kCases[] = {
    {"Idle", Snapshot(1, 5, 51), "Vorantis is idle."},
    {"Unreachable", Snapshot(4, 0, 51), "Server currently unreachable."},
    {"Disconnected", Snapshot(5, 0, 51),
     "Vorantis is disconnected. Network traffic is not using Vorantis.\r\nLast Disconnect Reason: User disconnected."},
    {"DisconnectedReasonWithoutText", Snapshot(5, 0, 47, true),
     "Vorantis is disconnected. Network traffic is not using Vorantis.\r\nLast Disconnect Reason: \r\n"
     "Network traffic is not using Vorantis."},
    {"ReasonBeyondTableIsALabel", Snapshot(5, 0, 400),
     "Vorantis is disconnected. Network traffic is not using Vorantis.\r\nLast Disconnect Reason: Fatal"},
    {"NotLoaded", Snapshot(6, 3, 51, true), "Vorantis client is not loaded.\r\nNetwork traffic is not using Vorantis."},
    {"StateSevenWithReason", Snapshot(7, 0, 35), "Quorlan Vorantis is disabled.\r\nUser has logged off."},
    {"NegativeStateReasonWithoutText", Snapshot(-1, 0, 48), "Quorlan Vorantis is disabled."},
    {"SmallestState", Snapshot(INT32_MIN, 0, 156),
     "Quorlan Vorantis is disabled.\r\nThis Vorantis client is unable to support the size of the current NAC/policy."},
    {"ConnectingNoPhase", Snapshot(2), "Connecting...\r\nLast Disconnect Reason: Reason not set."},
    {"ConnectingPhase1", Snapshot(2, 1, 51),
     "Contacting the Vorantis server...\r\nLast Disconnect Reason: User disconnected."},
    {"ConnectingPhase19", Snapshot(2, 19, 0, true),
     "Waiting for settings...\r\nLast Disconnect Reason: Reason not set.\r\nNetwork traffic is not using Vorantis."},
    {"ConnectingPhaseWithoutText", Snapshot(2, 8), "\r\nLast Disconnect Reason: Reason not set."},
    {"ConnectingPhaseBeyondTable", Snapshot(2, 20, 2),
     "\r\nLast Disconnect Reason: Terminated by Vorantis server."},
    {"ConnectedDetailsRefused", Snapshot(3, 0, 0, true), "Connected\r\nNetwork traffic is not using Vorantis."},
    {"ConnectedZeroRecord", Connected({u"", u"", 0, 0}), "Connected\r\nDevice connected"},
    {"ConnectedNobody", Connected({u"alice", u"PC-7", kAbsent, kAbsent}), "Connected"},
    {"ConnectedUser", Connected({u"alice", u"", 7, kAbsent}, true),
     "Connected as alice\r\nNetwork traffic is not using Vorantis."},
    {"ConnectedDevice", Connected({u"", u"PC-7", 0, 1}), "Connected\r\nDevice connected as PC-7"},
    {"ConnectedBoth", Connected({u"corp\\alice", u"PC-7", 0, 0}), "Connected as corp\\alice\r\nDevice connected as PC-7"},
    {"UnterminatedTextsAreCut", Connected({kUnterminatedUser, kUnterminatedDevice, 0, 0}),
     "Connected as " + std::string(255, 'u') + "\r\nDevice connected as " + std::string(127 - 20, 'd')},
};

class StatusTextOf : public testing::TestWithParam<Case> {};

TEST_P(StatusTextOf, Snapshot) { EXPECT_EQ(Compose(GetParam().snapshot), GetParam().text); }

INSTANTIATE_TEST_SUITE_P(English, StatusTextOf, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<Case>& info) { return info.param.name; });

// A table whose texts are longer than every limit: each part is cut where
// its own limit says, and the whole at 1023 units.
TEST(StatusTextLimits, EveryPartIsCutAtItsLimit) {
    SourceStringTable table = English();
    const auto filled = [](char16_t unit, size_t units) { return std::u16string(units, unit); };
    table.set(5008, filled(u'M', 400));
    table.set(5012, filled(u'T', 600));
    table.set(5014, filled(u'D', 300));
    table.set(5007, filled(u'I', 1500));
    table.set(5002, filled(u'X', 10));
    table.set(34136, filled(u'R', 900));

    EXPECT_EQ(Compose(Snapshot(5, 0, 136), table), std::string(400, 'M') + " " + std::string(511, 'T') +
                                                        "\r\nLast Disconnect Reason: " + std::string(85, 'R'));
    EXPECT_EQ(Compose(Snapshot(7, 0, 136), table), std::string(10, 'X') + "\r\n" + std::string(511, 'R'));
    EXPECT_EQ(Compose(Snapshot(1, 0, 0, true), table), std::string(1023, 'I'));
    EXPECT_EQ(Compose(Snapshot(6, 0, 0, true), table),
              "Vorantis client is not loaded.\r\n" + std::string(131, 'T'));
    EXPECT_EQ(Compose(Connected({u"", u"", kAbsent, 0}), table), "Connected\r\n" + std::string(127, 'D'));
}

}  // namespace
