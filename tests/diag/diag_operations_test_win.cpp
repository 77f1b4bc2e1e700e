// The diagnostics operations no export calls, in process against the
// simulated service's request log: the exact message each one sends
// (members in ascending name order), the reply handed back by those that
// return it, and that each comes back from a service that answers
// garbage or is not there at all.
#include <gtest/gtest.h>

#include <windows.h>

#include <nlohmann/json.hpp>

#include "diag/diag_commands.h"
#include "diag/diag_state.h"
#include "diag/json_exchange.h"
#include "support/diag_service.h"

namespace qltest {
namespace {

using namespace qlclapi;

JsonValue WideTag() {
    JsonValue request = JsonValue::object();
    request["type"] = "customEvent";
    request["key"] = "\xC3\xA9";
    return ExchangeWide(request);
}

struct Operation {
    const char* name;
    JsonValue (*call)();  // the reply for the operations that hand it back, else null
    bool returnsReply;
    const char* request;  // as the service receives it
};

const Operation kOperations[] = {
    {"AbortReport", [] { return AbortReport(), JsonValue(); }, false, R"({"type":"abortReport"})"},
    {"AbortBandwidth", [] { return AbortBandwidth(), JsonValue(); }, false, R"({"type":"abortBandwidth"})"},
    {"ShowReport", [] { return ShowReport(), JsonValue(); }, false, R"({"type":"showReport"})"},
    {"ClearLogs", [] { return ClearLogs(), JsonValue(); }, false, R"({"type":"clearLogs"})"},
    {"QueryGeneralState", [] { return QueryGeneralState(); }, true,
     R"({"exactFilter":"collection-state,server-reachable,last-message-sent","type":"state","wildcardFilter":""})"},
    {"QueryReportTestState", [] { return QueryReportTestState(); }, true,
     R"({"exactFilter":"collection-state","type":"state","wildcardFilter":"report-,test-"})"},
    {"QueryState", [] { return QueryState("a-,b-", "c,d"); }, true,
     R"({"exactFilter":"c,d","type":"state","wildcardFilter":"a-,b-"})"},
    {"ExchangeWide", WideTag, true, "{\"key\":\"\xC3\xA9\",\"type\":\"customEvent\"}"},
};

// What the service answers (qlsim diag behave raw), and what an operation
// that hands the reply back must give: the reply as it came, without a
// success test, or null. (Replies cut short and busy instances, on the same
// pipe: diag_transport_test_win.cpp.)
struct Answer {
    std::string raw;
    const char* reply;  // the JSON text handed back; null: the null value
};

const Answer kAnswers[] = {
    {R"({"collection-state":"collecting","z":[1]})", R"({"collection-state":"collecting","z":[1]})"},
    {"\x01\xFF{\"status\":", nullptr},
    {"{\"status\":\"success\",\"x\":\"\xED\xA0\x80\"}", nullptr},  // not UTF-8
};

class DiagOperation : public DiagServiceTest, public testing::WithParamInterface<Operation> {};

TEST_P(DiagOperation, SendsItsMessageAndComesBackWhateverTheAnswer) {
    const Operation& operation = GetParam();
    for (const Answer& answer : kAnswers) {
        SCOPED_TRACE(answer.raw);
        ASSERT_TRUE(service().behave("raw", 0, 0, answer.raw));
        const JsonValue reply = operation.call();
        EXPECT_EQ(takeRequests(), std::vector<std::string>{operation.request});
        const bool handedBack = operation.returnsReply && answer.reply;
        EXPECT_EQ(reply, handedBack ? JsonValue::parse(answer.reply) : JsonValue()) << reply.dump();
        ASSERT_TRUE(service().behave("normal"));
    }
}

INSTANTIATE_TEST_SUITE_P(NoExportCallsIt, DiagOperation, testing::ValuesIn(kOperations),
                         [](const testing::TestParamInfo<Operation>& info) { return std::string(info.param.name); });

// Only a request of the policy skips the settings that gate reports and
// tests; with nothing stored, every other source sends nothing.
TEST_F(DiagServiceTest, OnlyThePolicySkipsTheGate) {
    EXPECT_TRUE(StartReport(kSourcePolicy, u"m", 1));
    EXPECT_TRUE(StartBandwidth(kSourcePolicy, u"", 0));
    for (DiagSource source : {kSourceUnknown, kSourceButton, kSourceApi, kSourceScheduled}) {
        EXPECT_FALSE(StartReport(source, u"m", 1)) << source;
        EXPECT_FALSE(StartBandwidth(source, u"m", 1)) << source;
    }
    EXPECT_EQ(takeRequests(), (std::vector<std::string>{R"({"memo":"m","source":"policy","type":"startReport"})",
                                                        R"({"memo":"","source":"policy","type":"startBandwidth"})"}));
}

TEST_F(DiagServiceAbsentTest, OperationsComeBackAtOnceWithNothing) {
    for (const Operation& operation : kOperations) {
        const ULONGLONG started = GetTickCount64();
        EXPECT_TRUE(operation.call().is_null()) << operation.name;
        EXPECT_LT(GetTickCount64() - started, 5000u) << operation.name << " waited for a service that is not there";
    }
}

}  // namespace
}  // namespace qltest
