// Connection state, disconnect reason and the commands, plain and VB twin,
// against the driver's journal: which requests, with which input and
// output sizes, and none where none may be sent.
#include <gtest/gtest.h>

#include "qlclapi.h"
#include "support/simulated_client.h"

namespace qltest {
namespace {

using Lines = std::vector<std::string>;

// ---- Commands ---------------------------------------------------------

using CommandCall = NamedCall<uint32_t()>;

struct CommandCase {
    const char* exportName;
    CommandCall (*resolve)(const Library&, const char*);
    const char* request;
    uint32_t inputWord;  // 0: the request carries no input
};

const CommandCase kCommands[] = {
    {QL_NAMED(QuorlanEnable), "0x22248B sync", 0},   {QL_NAMED(QuorlanEnableVB), "0x22248B sync", 0},
    {QL_NAMED(QuorlanLogoff), "0x2224DB sync", 51},  {QL_NAMED(QuorlanLogoffVB), "0x2224DB sync", 51},
    {QL_NAMED(QuorlanBypass), "0x222487 sync", 0},   {QL_NAMED(QuorlanBypassVB), "0x222487 sync", 0},
    {QL_NAMED(QuorlanTriggerQLSRouteCheck), "0x2226D7 sync", 0},
    {QL_NAMED(QuorlanTriggerQLSRouteCheckVB), "0x2226D7 sync", 0},
};

// One request each and the result 1: with a driver that answers, one that
// refuses, and one of another version.
TEST_F(SimulatedClientTest, CommandsSendTheirOneRequestAndReportOne) {
    for (const char* driver : {"answering", "refusing", "of another version"}) {
        SCOPED_TRACE(driver);
        ASSERT_TRUE(sim().reset());
        if (driver[0] == 'r')
            for (uint32_t code : {0x22248Bu, 0x2224DBu, 0x222487u, 0x2226D7u}) refuse(code);
        if (driver[0] == 'o') changeSim([](QlSimState& s) { s.version = 0x0C0B0001; });
        auto library = loadLibrary();
        for (const CommandCase& c : kCommands) {
            CommandCall command = c.resolve(*library, c.exportName);
            ASSERT_TRUE(command.call) << c.exportName;
            EXPECT_EQ(command.call(), 1u) << c.exportName;
            std::vector<SeenEvent> seen = takeJournal();
            ASSERT_EQ(RequestLines(seen), Lines{c.request}) << c.exportName;
            EXPECT_EQ(seen.back().inLength, c.inputWord ? 4u : 0u) << c.exportName;
            EXPECT_EQ(seen.back().outLength, 0u) << c.exportName;
            EXPECT_EQ(seen.back().inputWord(), c.inputWord) << c.exportName;
        }
    }
}

// ---- Connection state -------------------------------------------------

struct StateCase {
    const char* name;
    uint32_t disconnected;
    int32_t state;
    uint32_t refusedCode;  // 0: none
    int32_t expected;
    Lines requests;
};

const StateCase kStates[] = {
    {"Connected", 0, 3, 0, 3, {"0x2224D3 sync", "0x22244F sync"}},
    {"DisconnectedFlagAsksNothingMore", 1, 3, 0, 5, {"0x2224D3 sync"}},
    {"UnknownStatePassedOn", 0, -2, 0, -2, {"0x2224D3 sync", "0x22244F sync"}},
    {"StateRefusedReadsNotLoaded", 0, 3, 0x22244F, 6, {"0x2224D3 sync", "0x22244F sync"}},
    {"FlagRefusedStillAsksState", 1, 2, 0x2224D3, 2, {"0x2224D3 sync", "0x22244F sync"}},
};

class State : public SimulatedClientTest, public testing::WithParamInterface<StateCase> {};

TEST_P(State, FollowsTheDisconnectedFlagThenTheState) {
    const StateCase& c = GetParam();
    changeSim([&](QlSimState& s) {
        s.disconnected = c.disconnected;
        s.connectionState = c.state;
    });
    if (c.refusedCode) refuse(c.refusedCode);
    auto library = loadLibrary();
    for (const auto& get : QL_PLAIN_AND_TWIN(*library, QuorlanGetConnectionState)) {
        ASSERT_TRUE(get.call) << get.name;
        EXPECT_EQ(get.call(), c.expected) << get.name;
        std::vector<SeenEvent> seen = takeJournal();
        EXPECT_EQ(RequestLines(seen), c.requests) << get.name;
        for (const SeenEvent& e : seen) EXPECT_EQ(e.outLength, 4u) << e.line();
    }
}

INSTANTIATE_TEST_SUITE_P(Driver, State, testing::ValuesIn(kStates),
                         [](const testing::TestParamInfo<StateCase>& info) { return info.param.name; });

// ---- Disconnect reason ------------------------------------------------

// The driver's code in the caller's variable; a refusal leaves the variable
// as it was and still gives 1. (A null pointer: the reliability suite's
// required arguments.)
TEST_F(SimulatedClientTest, DisconnectReasonStoresTheDriversCode) {
    changeSim([](QlSimState& s) { s.disconnectReason = 35; });
    auto library = loadLibrary();
    for (bool refused : {false, true}) {
        if (refused) refuse(0x2224B7);
        for (const auto& get : QL_PLAIN_AND_TWIN(*library, QuorlanGetDisconnectReason)) {
            ASSERT_TRUE(get.call) << get.name;
            uint32_t reason = 77;
            EXPECT_EQ(get.call(&reason), 1u) << get.name;
            EXPECT_EQ(reason, refused ? 77u : 35u) << get.name;
            EXPECT_EQ(takeRequests(), Lines{"0x2224B7 sync"}) << get.name;
        }
    }
}

}  // namespace
}  // namespace qltest
