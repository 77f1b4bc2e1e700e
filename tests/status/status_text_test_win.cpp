// QuorlanGetConnectionStateString and its VB twin through the real DLL
// against the simulated client: the requests behind a text in their order,
// each answer of the driver as it shows in the text, and the size rule
// through the export. (Without a driver: driver_absent_test_win.cpp; the
// language module: language_module_test_win.cpp.)
#include <gtest/gtest.h>

#include "qlclapi.h"
#include "sim_records.h"
#include "support/bstr_text.h"
#include "support/language_setup.h"
#include "support/simulated_client.h"

namespace qltest {
namespace {

using Lines = std::vector<std::string>;

const Lines kQueries = {"0x2224D3 sync", "0x22244F sync", "0x22255F sync", "0x2224B7 sync", "0x22265B sync"};
const Lines kQueriesWhenDisconnected = {"0x2224D3 sync", "0x22255F sync", "0x2224B7 sync", "0x22265B sync"};
const Lines kQueriesWithDetails = {"0x2224D3 sync", "0x22244F sync", "0x22255F sync",
                                   "0x2224B7 sync", "0x22265B sync", "0x22245F sync"};

class StatusText : public SimulatedClientTest {
protected:
    void SetUp() override {
        SimulatedClientTest::SetUp();
        ClearLanguageSettings();
    }
};

// ---- Each answer of the driver ------------------------------------------
// One row for each answer the call takes from the driver: what it asks,
// and how an answer, a refusal or a short answer shows in the text. (The
// composition of every state: status_text_test.cpp.)

struct TextCase {
    const char* name;
    int32_t state;
    uint32_t disconnected, phase, reason, traffic;
    std::vector<uint8_t> details;               // empty: the driver's zeros
    uint32_t refused;                           // a request the driver refuses, or 0
    std::pair<uint32_t, uint32_t> shortAnswer;  // code and bytes, or {0, 0}
    std::wstring text;
    Lines requests;
};

const std::vector<uint8_t> kDetails = qlsim::ConnectionDetailsBytes({u"corp\\alice", u"PC-7", 0, 0});

const TextCase kTextCases[] = {
    {"DisconnectedFlagWinsOverState", 3, 1, 0, 51, 0, {}, 0, {},
     L"Vorantis is disconnected. Network traffic is not using Vorantis.\r\nLast Disconnect Reason: User disconnected.",
     kQueriesWhenDisconnected},
    {"StateRefusedIsNotLoaded", 1, 0, 0, 0, 0, {}, 0x22244F, {}, L"Vorantis client is not loaded.", kQueries},
    {"Phase", 2, 0, 13, 0, 0, {}, 0, {},
     L"Waiting for authentication to complete...\r\nLast Disconnect Reason: Reason not set.", kQueries},
    {"ShortPhaseAnswerIsPhaseZero", 2, 0, 13, 6, 0, {}, 0, {0x22255F, 3},
     L"Connecting...\r\nLast Disconnect Reason: Timeout communicating with the Vorantis server.", kQueries},
    {"ReasonRefusedIsNoReason", -7, 0, 0, 35, 0, {}, 0x2224B7, {}, L"Quorlan Vorantis is disabled.", kQueries},
    {"AnyTrafficWordIsBypassed", 1, 0, 0, 0, 0x100, {}, 0, {},
     L"Vorantis is idle.\r\nNetwork traffic is not using Vorantis.", kQueries},
    {"TrafficRefusedIsOff", 1, 0, 0, 0, 1, {}, 0x22265B, {}, L"Vorantis is idle.", kQueries},
    {"ConnectedDetailsRefused", 3, 0, 0, 0, 0, kDetails, 0x22245F, {}, L"Connected", kQueriesWithDetails},
    {"ConnectedShortDetailsAnswer", 3, 0, 0, 0, 0, kDetails, 0, {0x22245F, 40},
     L"Connected as corp\\alice\r\nDevice connected as PC-7", kQueriesWithDetails},
};

class StatusTextFor : public StatusText, public testing::WithParamInterface<TextCase> {};

TEST_P(StatusTextFor, DriverCondition) {
    const TextCase& c = GetParam();
    changeSim([&](QlSimState& s) {
        s.connectionState = c.state;
        s.disconnected = c.disconnected;
        s.connectingPhase = c.phase;
        s.disconnectReason = c.reason;
        s.trafficBypassed = c.traffic;
    });
    if (!c.details.empty()) {
        ASSERT_TRUE(sim().setRecord(QLSIM_RECORD_CONNECTION_DETAILS, c.details));
    }
    if (c.refused) refuse(c.refused);
    if (c.shortAnswer.first) answerShort(c.shortAnswer.first, c.shortAnswer.second);
    auto library = loadLibrary();
    QL_EXPORT(*library, QuorlanGetConnectionStateString);

    wchar_t buffer[1024];
    QlUInt32 length = sizeof buffer;
    EXPECT_EQ(QuorlanGetConnectionStateString(buffer, &length), 1u);
    EXPECT_EQ(length, sizeof buffer);
    EXPECT_EQ(std::wstring(buffer), c.text);
    std::vector<SeenEvent> seen = takeJournal();
    EXPECT_EQ(RequestLines(seen), c.requests);
    for (const SeenEvent& e : seen)
        if (e.event == QLSIM_EVENT_REQUEST) {
            EXPECT_EQ(e.inLength, 0u) << e.line();
            EXPECT_EQ(e.outLength, e.code == 0x22245F ? 1088u : 4u) << e.line();
        }
}

INSTANTIATE_TEST_SUITE_P(English, StatusTextFor, testing::ValuesIn(kTextCases),
                         [](const testing::TestParamInfo<TextCase>& info) { return info.param.name; });

// ---- The caller's buffer ----------------------------------------------------
// The size rule itself is caller_buffer_test.cpp's, a null length the
// reliability suite's; here what the export adds: the size query asks the
// driver nothing, and the text delivered is the one composed.

TEST_F(StatusText, SizeQueryAsksNothingAndAShortBufferGetsWhatFits) {
    auto library = loadLibrary();
    QL_EXPORT(*library, QuorlanGetConnectionStateString);
    std::wstring buffer(40, L'#');
    QlUInt32 length = 7;
    EXPECT_EQ(QuorlanGetConnectionStateString(nullptr, &length), 0u);
    EXPECT_EQ(length, 2048u);
    EXPECT_EQ(RequestLines(takeJournal()), Lines{});
    // "Vorantis is idle." is 17 units: 35 bytes leave room for 16 and the zero.
    for (QlUInt32 bytes : {35u, 36u}) {
        length = bytes;
        EXPECT_EQ(QuorlanGetConnectionStateString(&buffer[0], &length), bytes == 36 ? 1u : 0u);
        EXPECT_EQ(length, bytes == 36 ? 36u : 0u);
        const std::wstring text = std::wstring(L"Vorantis is idle.").substr(0, bytes / 2 - 1);
        EXPECT_EQ(buffer, text + L'\0' + std::wstring(39 - text.size(), L'#'));
        EXPECT_EQ(RequestLines(takeJournal()), kQueries);
    }
}

// ---- The Visual Basic twin ----------------------------------------------

TEST_F(StatusText, TwinAsksTheSameAndNothingWithoutAPlace) {
    changeSim([](QlSimState& s) { s.connectionState = 3; });
    refuse(0x22245F);
    auto library = loadLibrary();
    QL_EXPORT(*library, QuorlanGetConnectionStateStringVB);
    BSTR text = SysAllocString(L"before");
    EXPECT_EQ(QuorlanGetConnectionStateStringVB(&text), 1u);
    EXPECT_EQ(AnsiOf(text), "Connected");  // the packing: vb_adapters_test_win.cpp
    SysFreeString(text);
    EXPECT_EQ(RequestLines(takeJournal()), kQueriesWithDetails);
    EXPECT_EQ(QuorlanGetConnectionStateStringVB(nullptr), 0u);
    EXPECT_EQ(RequestLines(takeJournal()), Lines{}) << "no place for the text, no request";
}

}  // namespace
}  // namespace qltest
