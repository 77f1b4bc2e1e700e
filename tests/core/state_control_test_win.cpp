// Connection state, disconnect reason and the commands, plain and VB twin,
// against the driver's journal: which requests, on which handle, with which
// input, and none where none may be sent.
#include <gtest/gtest.h>

#include "qlclapi.h"
#include "support/simulated_client.h"

namespace qltest {
namespace {

using Lines = std::vector<std::string>;

constexpr uint32_t kOtherGeneration = 0x0C0B0001;

// ---- Commands ---------------------------------------------------------

using CommandCall = NamedCall<uint32_t()>;

struct CommandCase {
    const char* exportName;
    CommandCall (*resolve)(const Library&, const char*);
    const char* request;
    uint32_t inputWord;  // 0: the request carries no input
    CommandCall in(const Library& library) const { return resolve(library, exportName); }
};

const CommandCase kCommands[] = {
    {QL_NAMED(QuorlanEnable), "0x22248B sync", 0},
    {QL_NAMED(QuorlanEnableVB), "0x22248B sync", 0},
    {QL_NAMED(QuorlanLogoff), "0x2224DB sync", 51},
    {QL_NAMED(QuorlanLogoffVB), "0x2224DB sync", 51},
    {QL_NAMED(QuorlanBypass), "0x222487 sync", 0},
    {QL_NAMED(QuorlanBypassVB), "0x222487 sync", 0},
    {QL_NAMED(QuorlanTriggerQLSRouteCheck), "0x2226D7 sync", 0},
    {QL_NAMED(QuorlanTriggerQLSRouteCheckVB), "0x2226D7 sync", 0},
};

class Command : public SimulatedClientTest, public testing::WithParamInterface<CommandCase> {
protected:
    uint32_t call(Library& library) {
        CommandCall command = GetParam().in(library);
        EXPECT_TRUE(command.call) << command.name;
        return command.call ? command.call() : 0xDEAD;
    }
    void expectOneRequest() {
        std::vector<SeenEvent> seen = takeJournal();
        ASSERT_EQ(RequestLines(seen), Lines{GetParam().request});
        const SeenEvent& request = seen.back();
        EXPECT_EQ(request.inLength, GetParam().inputWord ? 4u : 0u);
        EXPECT_EQ(request.outLength, 0u);
        if (GetParam().inputWord) {
            EXPECT_EQ(request.inputWord(), GetParam().inputWord);
        }
    }
};

TEST_P(Command, SendsItsOneRequestAndReportsOne) {
    auto library = loadLibrary();
    EXPECT_EQ(call(*library), 1u);
    expectOneRequest();
}

TEST_P(Command, ReportsOneEvenWhenTheDriverRefuses) {
    refuse(0x22248B);
    refuse(0x2224DB);
    refuse(0x222487);
    refuse(0x2226D7);
    auto library = loadLibrary();
    EXPECT_EQ(call(*library), 1u);
    expectOneRequest();
}

TEST_P(Command, WorksWithADriverOfAnotherVersion) {
    changeSim([](QlSimState& s) { s.version = kOtherGeneration; });
    auto library = loadLibrary();
    EXPECT_EQ(call(*library), 1u);
    expectOneRequest();
}

INSTANTIATE_TEST_SUITE_P(Each, Command, testing::ValuesIn(kCommands),
                         [](const testing::TestParamInfo<CommandCase>& info) { return info.param.exportName; });

TEST_F(SimulatedClientTest, CommandsChangeTheSimulatedClient) {
    changeSim([](QlSimState& s) { s.connectionState = 3; });
    auto library = loadLibrary();
    QL_EXPORT(*library, QuorlanLogoff);
    QL_EXPORT(*library, QuorlanEnable);
    QL_EXPORT(*library, QuorlanGetConnectionState);
    QL_EXPORT(*library, QuorlanGetDisconnectReason);
    ASSERT_EQ(QuorlanLogoff(), 1u);
    uint32_t reason = 0;
    EXPECT_EQ(QuorlanGetConnectionState(), 5);
    EXPECT_EQ(QuorlanGetDisconnectReason(&reason), 1u);
    EXPECT_EQ(reason, 51u) << "User disconnected.";
    ASSERT_EQ(QuorlanEnable(), 1u);
    EXPECT_EQ(QuorlanGetConnectionState(), 3);
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
    {"Idle", 0, 1, 0, 1, {"0x2224D3 sync", "0x22244F sync"}},
    {"Connected", 0, 3, 0, 3, {"0x2224D3 sync", "0x22244F sync"}},
    {"DisconnectedFlagAsksNothingMore", 1, 3, 0, 5, {"0x2224D3 sync"}},
    {"UnknownStatePassedOn", 0, 9, 0, 9, {"0x2224D3 sync", "0x22244F sync"}},
    {"NegativeStatePassedOn", 0, -2, 0, -2, {"0x2224D3 sync", "0x22244F sync"}},
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

struct ReasonCase {
    const char* name;
    bool nullPointer;
    bool refused;
    uint32_t result;
    uint32_t stored;  // what the caller's variable (preset 77) holds afterwards
    Lines requests;
};

const ReasonCase kReasons[] = {
    {"Answered", false, false, 1, 35, {"0x2224B7 sync"}},
    {"RefusedLeavesTheCallersValue", false, true, 1, 77, {"0x2224B7 sync"}},
    {"NullPointerAsksNothing", true, false, 0, 77, {}},
};

class Reason : public SimulatedClientTest, public testing::WithParamInterface<ReasonCase> {};

TEST_P(Reason, StoresTheDriversCode) {
    const ReasonCase& c = GetParam();
    changeSim([](QlSimState& s) { s.disconnectReason = 35; });
    if (c.refused) refuse(0x2224B7);
    auto library = loadLibrary();
    for (const auto& get : QL_PLAIN_AND_TWIN(*library, QuorlanGetDisconnectReason)) {
        ASSERT_TRUE(get.call) << get.name;
        uint32_t reason = 77;
        EXPECT_EQ(get.call(c.nullPointer ? nullptr : &reason), c.result) << get.name;
        EXPECT_EQ(reason, c.stored) << get.name;
        EXPECT_EQ(takeRequests(), c.requests) << get.name;
    }
}

INSTANTIATE_TEST_SUITE_P(Driver, Reason, testing::ValuesIn(kReasons),
                         [](const testing::TestParamInfo<ReasonCase>& info) { return info.param.name; });

TEST_F(SimulatedClientTest, TechnologyIsAlwaysOneAndAsksNothing) {
    auto library = loadLibrary();
    QL_EXPORT(*library, QuorlanGetVorantisTechnology);
    QL_EXPORT(*library, QuorlanGetVorantisTechnologyVB);
    EXPECT_EQ(QuorlanGetVorantisTechnology(), 1u);
    EXPECT_EQ(QuorlanGetVorantisTechnologyVB(), 1u);
    EXPECT_TRUE(takeJournal().empty());
}

// ---- Without a driver -------------------------------------------------

using WithoutDriver = DriverAbsentTest;

TEST_F(WithoutDriver, EveryCallGivesItsNotAvailableResult) {
    Library library;
    ASSERT_TRUE(library.loaded());
    for (const auto& get : QL_PLAIN_AND_TWIN(library, QuorlanGetConnectionState))
        EXPECT_EQ(get.call(), 6) << get.name;
    for (const CommandCase& c : kCommands) EXPECT_EQ(c.in(library).call(), 0u) << c.exportName;
    for (const auto& get : QL_PLAIN_AND_TWIN(library, QuorlanGetDisconnectReason)) {
        uint32_t reason = 77;
        EXPECT_EQ(get.call(&reason), 0u) << get.name;
        EXPECT_EQ(reason, 0u) << get.name;
    }
    QL_EXPORT(library, QuorlanGetVorantisTechnology);
    EXPECT_EQ(QuorlanGetVorantisTechnology(), 1u);
}

// ---- Many threads at once ---------------------------------------------

struct Calls {
    PFN_QuorlanGetConnectionState state;
    PFN_QuorlanEnable enable;
    PFN_QuorlanLogoffVB logoff;
    PFN_QuorlanBypass bypass;
    PFN_QuorlanGetDisconnectReasonVB reason;
    LONG wrongAnswers;
};

DWORD WINAPI CallEveryExport(void* context) {
    auto* c = static_cast<Calls*>(context);
    for (int i = 0; i < 150; ++i) {
        int32_t state = c->state();
        uint32_t reason = 1234;
        // Enable connects (3), log off disconnects (5) with reason 51.
        bool right = (state == 3 || state == 5) && c->enable() == 1 && c->logoff() == 1 && c->bypass() == 1 &&
                     c->reason(&reason) == 1 && (reason == 0 || reason == 51);
        if (!right) InterlockedIncrement(&c->wrongAnswers);
    }
    return 0;
}

TEST_F(SimulatedClientTest, ManyThreadsGetOnlyAnswersTheDriverGave) {
    changeSim([](QlSimState& s) { s.connectionState = 3; });
    auto library = loadLibrary();
    Calls calls{QL_FIND(*library, QuorlanGetConnectionState), QL_FIND(*library, QuorlanEnable),
                QL_FIND(*library, QuorlanLogoffVB), QL_FIND(*library, QuorlanBypass),
                QL_FIND(*library, QuorlanGetDisconnectReasonVB), 0};
    HANDLE threads[8];
    for (HANDLE& thread : threads) thread = CreateThread(nullptr, 0, CallEveryExport, &calls, 0, nullptr);
    WaitForMultipleObjects(8, threads, TRUE, INFINITE);
    for (HANDLE thread : threads) CloseHandle(thread);
    EXPECT_EQ(calls.wrongAnswers, 0);
}

}  // namespace
}  // namespace qltest
