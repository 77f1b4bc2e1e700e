// report, bandwidth, tag, diag and setting: what the diagnostics service
// received, what the user is told when a request was not started, the
// status as the library's readers see it, and settings read from either store.
#include <nlohmann/json.hpp>

#include "support/diag_service.h"
#include "support/qlctl_process.h"

namespace qltest {
namespace {

using Messages = std::vector<std::string>;

class QlctlDiag : public DiagServiceTest {};

struct RequestCase {
    const char* name;
    const wchar_t* arguments;
    bool allowed;     // the gates are on
    const char* raw;  // the service's reply, or null for its own
    DWORD exitCode;
    const char* told;  // on standard output when started, else on standard error
    const char* sent;  // the request the service received, or null for none
};

const RequestCase kRequestCases[] = {
    {"ReportStarted", L"report \"weekly check\"", true, nullptr, 0, "the diagnostics service started a report\n",
     R"({"memo":"weekly check","source":"API","type":"startReport"})"},
    {"ReportWithoutMemo", L"report", true, nullptr, 0, "started a report",
     R"({"memo":"","source":"API","type":"startReport"})"},
    {"ReportSettingOff", L"report", false, nullptr, 1,
     "no report was started: the client's setting A_DIAG_EnableClientReports is off", nullptr},
    {"ReportRefused", L"report", true, R"({"status":"busy"})", 1,
     "no report was started: the diagnostics service refused the request",
     R"({"memo":"","source":"API","type":"startReport"})"},
    {"BandwidthStarted", L"bandwidth -- -m", true, nullptr, 0, "the diagnostics service started a bandwidth test\n",
     R"({"memo":"-m","source":"API","type":"startBandwidth"})"},
    {"BandwidthSettingOff", L"bandwidth", false, nullptr, 1, "A_DIAG_EnableBandwidthTest is off", nullptr},
    {"TagWithValue", L"tag site \"\"", false, nullptr, 0, "the diagnostics service recorded the tag\n",
     R"({"key":"site","type":"customEvent","value":""})"},
    {"TagWithoutValue", L"tag site", false, nullptr, 0, "recorded the tag",
     R"({"key":"site","type":"customEvent"})"},
    {"TagRefused", L"tag site x", false, "not json", 1, "the tag was not recorded: the diagnostics service refused",
     R"({"key":"site","type":"customEvent","value":"x"})"},
};

class QlctlRequest : public QlctlDiag, public testing::WithParamInterface<RequestCase> {};

TEST_P(QlctlRequest, SendsOrSaysWhyNot) {
    const RequestCase& c = GetParam();
    if (c.allowed) allowReportsAndTests();
    if (c.raw) {
        ASSERT_TRUE(service().behave("raw", 0, 0, c.raw));
    }
    Outcome outcome = RunQlctl(c.arguments);
    EXPECT_EQ(outcome.exitCode, c.exitCode) << outcome.err;
    EXPECT_NE((c.exitCode ? outcome.err : outcome.out).find(c.told), std::string::npos)
        << outcome.out << outcome.err;
    EXPECT_EQ(takeRequests(), c.sent ? Messages{c.sent} : Messages{});
}

INSTANTIATE_TEST_SUITE_P(Qlctl, QlctlRequest, testing::ValuesIn(kRequestCases),
                         [](const testing::TestParamInfo<RequestCase>& info) { return info.param.name; });

TEST_F(QlctlDiag, StatusLinesComeFromTheReaders) {
    const std::pair<const char*, const char*> kMembers[] = {
        {"collection-state", R"("sleep-bypass")"}, {"server-reachable", "1"},  // a number is not a boolean
        {"report-percent-complete", "42.9"},         {"report-source", R"("policy")"},
        {"report-current-test", R"("dns \u00e9")"},  {"test-rx-bps-max", "1000"},
        {"test-fail", R"("no route")"},              {"test-source", R"("Policy")"},
    };
    for (const auto& m : kMembers) ASSERT_TRUE(service().set(m.first, m.second)) << m.first;
    ASSERT_TRUE(service().drop("test-latency-ms"));
    Outcome outcome = RunQlctl(L"diag");
    ASSERT_EQ(outcome.exitCode, 0u) << outcome.err;
    for (const char* line : {"collection state:   4 sleep-bypass\n", "server reachable:   no\n",
                             "last message sent:  never\n", "report progress:    42% (dns \xC3\xA9)\n",
                             "report source:      4 policy\n", "test source:        0 unknown\n",
                             "test failure:       no route\n", "test latency:       not measured\n",
                             "test receive max:   8000 bit/s\n"})
        EXPECT_NE(outcome.out.find(line), std::string::npos) << "missing: " << line << "in:\n" << outcome.out;
}

TEST_F(QlctlDiag, JsonIsBothRepliesAsOneSortedObject) {
    ASSERT_TRUE(service().set("report-extra", R"({"nested":[1,2]})"));
    Outcome outcome = RunQlctl(L"diag --json");
    ASSERT_EQ(outcome.exitCode, 0u) << outcome.err;
    ASSERT_EQ(outcome.out.back(), '\n');
    nlohmann::json whole = nlohmann::json::parse(outcome.out);
    EXPECT_EQ(outcome.out, whole.dump() + "\n") << "compact, members in ascending order";
    EXPECT_EQ(whole["collection-state"], "collecting");
    EXPECT_EQ(whole["server-reachable"], true);
    EXPECT_EQ(whole["report-extra"]["nested"][1], 2);
    EXPECT_TRUE(whole.contains("test-cooloff"));
    EXPECT_EQ(takeRequests().size(), 2u);
}

TEST_F(QlctlDiag, SettingsReadFromTheStoreInUse) {
    struct Case {
        void (*store)();
        const wchar_t* arguments;
        DWORD exitCode;
        const char* out;
    };
    const Case kCases[] = {
        {[] { SettingsStores::UseTextStore(), SettingsStores::SetText(24850, L"7 days"); },
         L"setting A_DIAG_EnableClientReports", 0, "A_DIAG_EnableClientReports = 7 (text store)\n"},
        {[] { SettingsStores::UseTextStore(), SettingsStores::SetText(24850, L"1"); }, L"setting 24850 --json", 0,
         R"({"id":24850,"name":"A_DIAG_EnableClientReports","store":"text","value":1})" "\n"},
        {[] { SettingsStores::UseTextStore(), SettingsStores::SetText(1186, L"q.example"); },
         L"setting A_VES_LocalityServerAddress --string", 0, "A_VES_LocalityServerAddress = \"q.example\" (text store)\n"},
        {[] { SettingsStores::UseTextStore(), SettingsStores::SetText(24851, L"1"); }, L"setting A_DIAG_CustomTests", 1,
         ""},
        {[] { SettingsStores::SetBlob({0, 0, 0, 0, 1, 0, 0, 0, 0x28, 0x61, 0, 0, 0, 0, 0, 0, 4, 0, 0, 0, 3, 0, 0, 0}); },
         L"setting A_DIAG_EnableBandwidthTest", 0, "A_DIAG_EnableBandwidthTest = 3 (binary store)\n"},
        {[] {}, L"setting 24850", 1, ""},
        {[] {}, L"setting A_DIAG_NoSuchSetting", 2, ""},
    };
    for (const Case& c : kCases) {
        ASSERT_TRUE(SettingsStores::Clear() && SettingsStores::UseBinaryStore());
        c.store();
        Outcome outcome = RunQlctl(c.arguments);
        EXPECT_EQ(outcome.exitCode, c.exitCode) << outcome.err;
        EXPECT_EQ(outcome.out, c.out);
    }
}

bool SubscribersBecome(qlsim::DiagSimControl& service, int wanted) {
    for (int attempt = 0; attempt < 400; ++attempt) {
        int count = -1;
        if (service.subscribers(count) && count == wanted) return true;
        Sleep(25);
    }
    return false;
}

TEST_F(QlctlDiag, WatchPrintsEachNotificationAsSortedJson) {
    QlctlProcess watch(L"diag watch --count 2");
    ASSERT_TRUE(SubscribersBecome(service(), 1)) << "qlctl diag watch did not subscribe";
    ASSERT_TRUE(service().notify(R"({"type":"state", "collection-state":2})"));
    ASSERT_TRUE(service().notify("[1,\"two\"]"));
    Outcome outcome = watch.finish(10000);
    EXPECT_EQ(outcome.exitCode, 0u) << outcome.err;
    EXPECT_EQ(outcome.out, "{\"collection-state\":2,\"type\":\"state\"}\n[1,\"two\"]\n");
    EXPECT_EQ(takeRequests(), Messages{R"({"type":"subscribe"})"});
}

TEST_F(QlctlDiag, WatchEndsItsSubscriptionOnCtrlC) {
    QlctlProcess watch(L"diag watch", {}, {}, true);
    ASSERT_TRUE(SubscribersBecome(service(), 1));
    bool sent = false;
    Outcome outcome = InterruptWithCtrlC(watch, sent);
    ASSERT_TRUE(sent) << GetLastError();
    EXPECT_EQ(outcome.exitCode, 0u);
    EXPECT_EQ(outcome.out, "");
    // Wine's default handler also exits with 0: the message tells qlctl's own.
    EXPECT_EQ(outcome.err, "qlctl diag watch: interrupted; the subscription was ended\n");
    EXPECT_TRUE(SubscribersBecome(service(), 0));
}

class QlctlDiagNoService : public DiagServiceAbsentTest {};

TEST_F(QlctlDiagNoService, SaysTheServiceIsNotRunning) {
    ASSERT_TRUE(SettingsStores::UseTextStore() && SettingsStores::SetText(24850, L"1"));
    for (const wchar_t* arguments : {L"diag", L"diag --json", L"report", L"tag k"}) {
        Outcome outcome = RunQlctl(arguments);
        EXPECT_EQ(outcome.exitCode, 1u);
        EXPECT_NE(outcome.err.find("the diagnostics service is not running"), std::string::npos) << outcome.err;
        EXPECT_EQ(outcome.out, "");
    }
}

}  // namespace
}  // namespace qltest
