// The commands as the service receives them, the request sources in both
// directions, and the status readers over a table of replies.
#include <gtest/gtest.h>

#include <cmath>
#include <nlohmann/json.hpp>

#include "diag/diag_requests.h"
#include "diag/diag_status.h"
#include "diag/json_text.h"

namespace {

using namespace qlclapi;

TEST(DiagRequests, AreFlatObjectsInWireOrder) {
    std::string memo = "a\"b", key = "k", value = "", key2 = "k2", absent = "never sent";
    std::string longMemo(100, 'm');
    const std::pair<JsonValue, std::string> kCases[] = {
        {MakeStartRequest(command::kStartReport, kSourceApi, memo),
         R"({"memo":"a\"b","source":"API","type":"startReport"})"},
        {MakeStartRequest(command::kStartBandwidth, 77, longMemo),
         R"({"memo":")" + std::string(100, 'm') + R"(","source":"","type":"startBandwidth"})"},
        {MakeCustomEvent(key, value, true), R"({"key":"k","type":"customEvent","value":""})"},
        {MakeCustomEvent(key2, absent, false), R"({"key":"k2","type":"customEvent"})"},
        {MakeTypeOnly(command::kClearLogs), R"({"type":"clearLogs"})"},
        {MakeStateQuery("report-,test-", "collection-state"),
         R"({"exactFilter":"collection-state","type":"state","wildcardFilter":"report-,test-"})"},
    };
    for (const auto& c : kCases) EXPECT_EQ(SerializeCompact(c.first), c.second);
    // The caller's texts were taken over and what was left of them wiped.
    for (const std::string* text : {&memo, &longMemo, &key, &key2, &absent}) {
        EXPECT_TRUE(text->empty());
        EXPECT_EQ(std::string(text->data(), text->capacity()).find_first_not_of('\0'), std::string::npos);
    }
    JsonValue request = MakeTypeOnly(command::kShowReport);
    request["memo"] = std::string(50, 's');
    WipeStrings(request);
    EXPECT_EQ(request["memo"], "");
    EXPECT_EQ(request["type"], "");
}

TEST(DiagSources, NamesBothWays) {
    const std::pair<DiagSource, const char*> kNames[] = {
        {0, ""}, {1, "button"}, {2, "API"}, {3, "scheduled"}, {4, "policy"}};
    for (const auto& n : kNames) {
        EXPECT_STREQ(SourceName(n.first), n.second);
        EXPECT_EQ(SourceFromName(n.second), n.first);
    }
    EXPECT_STREQ(SourceName(5), "");
    EXPECT_STREQ(SourceName(-1), "");
    for (const char* unknown : {"Policy", "api", "API ", "other"}) EXPECT_EQ(SourceFromName(unknown), 0) << unknown;
}

struct ReaderCase {
    const char* name;
    std::string reply;
    int32_t collection;
    int32_t percent;        // report-percent-complete
    uint64_t lastSent;      // last-message-sent
    bool reachable;
    DiagSource reportSource;
    std::u16string currentTest;
    ScaledNumber rx;        // test-rx-bps-max
};

const ReaderCase kReaderCases[] = {
    {"Null", "", 1, 0, 0, false, 0, u"", {}},
    {"Array", R"([{"collection-state":"collecting"}])", 1, 0, 0, false, 0, u"", {}},
    {"EmptyObject", "{}", 1, 0, 0, false, 0, u"", {}},
    {"Collecting", R"({"collection-state":"collecting","server-reachable":true})", 2, 0, 0, true, 0, u"", {}},
    {"OtherCase", R"({"collection-state":"Collecting"})", 0, 0, 0, false, 0, u"", {}},
    {"SleepStates", R"({"collection-state":"sleep-bypass"})", 4, 0, 0, false, 0, u"", {}},
    {"EmptyStateText", R"({"collection-state":""})", 1, 0, 0, false, 0, u"", {}},
    {"StateNotAString", R"({"collection-state":2,"server-reachable":1})", 1, 0, 0, false, 0, u"", {}},
    {"PercentFloat", R"({"report-percent-complete":42.9})", 1, 42, 0, false, 0, u"", {}},
    {"PercentNegativeHalf", R"({"report-percent-complete":-0.5})", 1, 0, 0, false, 0, u"", {}},
    {"PercentString", R"({"report-percent-complete":"42"})", 1, 0, 0, false, 0, u"", {}},
    {"PercentLowBits", R"({"report-percent-complete":4294967297})", 1, 1, 0, false, 0, u"", {}},
    {"PercentNegativeInteger", R"({"report-percent-complete":-3})", 1, -3, 0, false, 0, u"", {}},
    {"PercentFloatOutOfRange", R"({"report-percent-complete":3e9})", 1, INT32_MIN, 0, false, 0, u"", {}},
    {"PercentBeyond64Bits", R"({"report-percent-complete":18446744073709551616})", 1, INT32_MIN, 0, false, 0, u"", {}},
    {"LastSent", R"({"last-message-sent":133000000000000000})", 1, 0, 133000000000000000ull, false, 0, u"", {}},
    {"LastSentFloat", R"({"last-message-sent":1.33e17})", 1, 0, 0, false, 0, u"", {}},
    {"LastSentNegative", R"({"last-message-sent":-5})", 1, 0, 0, false, 0, u"", {}},
    {"Sources", R"({"report-source":"policy","report-current-test":"dns \u00e9"})", 1, 0, 0, false, 4, u"dns \u00e9", {}},
    {"SourceCase", R"({"report-source":"Policy","report-current-test":7})", 1, 0, 0, false, 0, u"", {}},
    {"Rx", R"({"test-rx-bps-max":1000})", 1, 0, 0, false, 0, u"", {1, 8000.0}},
    {"RxFloat", R"({"test-rx-bps-max":0.5})", 1, 0, 0, false, 0, u"", {1, 4.0}},
    {"RxNegative", R"({"test-rx-bps-max":-2})", 1, 0, 0, false, 0, u"", {1, -16.0}},
    {"RxHuge", R"({"test-rx-bps-max":18446744073709551615})", 1, 0, 0, false, 0, u"", {1, 18446744073709551615.0 * 8}},
    {"RxString", R"({"test-rx-bps-max":"1000"})", 1, 0, 0, false, 0, u"", {}},
};

class StatusReaders : public testing::TestWithParam<ReaderCase> {};

TEST_P(StatusReaders, ReadTheirMemberOrTheirDefault) {
    const ReaderCase& c = GetParam();
    JsonValue reply = ParseJsonText(c.reply);
    EXPECT_EQ(GetCollectionState(reply), c.collection);
    EXPECT_EQ(IsCollecting(reply), c.collection == kCollectionCollecting);
    EXPECT_EQ(GetReportPercentComplete(reply), c.percent);
    EXPECT_EQ(LastMessageSentTime(reply), c.lastSent);
    EXPECT_EQ(IsServerReachable(reply), c.reachable);
    EXPECT_EQ(GetReportSource(reply), c.reportSource);
    EXPECT_EQ(GetReportCurrentTest(reply), c.currentTest);
    TestMeasurements m = GetTestMeasurements(reply);
    EXPECT_EQ(m.rxMaxBits.present, c.rx.present);
    EXPECT_EQ(m.rxMaxBits.value, c.rx.value);
    EXPECT_EQ(m.latencyMs.present, 0);
    EXPECT_EQ(m.latencyMs.value, 0.0);
}

INSTANTIATE_TEST_SUITE_P(Replies, StatusReaders, testing::ValuesIn(kReaderCases),
                         [](const testing::TestParamInfo<ReaderCase>& info) { return info.param.name; });

TEST(StatusReaders, GenericReadersKeepTheirTypes) {
    JsonValue reply = ParseJsonText(
        R"({"b":true,"i":7,"n":-7,"f":7.9,"s":"7","u":"\u00e9","bad":"x","big":18446744073709551615})");
    reply["bad"] = "\xED\xA0\x80";  // a surrogate's form: valid for no converter of the library
    EXPECT_EQ(GetBoolMember(reply, "b", false), true);
    EXPECT_EQ(GetBoolMember(reply, "i", false), false) << "a number is not a boolean";
    EXPECT_EQ(GetBoolMember(reply, "missing", true), true);
    EXPECT_EQ(GetIntMember(reply, "s", 99), 99) << "a string is not a number";
    EXPECT_EQ(GetIntMember(reply, "b", 99), 99);
    EXPECT_EQ(GetIntMember(reply, "f", 99), 7);
    EXPECT_EQ(GetIntMember(reply, "big", 99), -1);
    EXPECT_EQ(GetUInt64Member(reply, "big", 1), 18446744073709551615ull);
    EXPECT_EQ(GetUInt64Member(reply, "n", 1), 1u);
    EXPECT_EQ(GetUInt64Member(reply, "f", 1), 1u);
    EXPECT_EQ(GetStringMember(reply, "i"), "");
    EXPECT_EQ(GetWStringMember(reply, "u"), u"\u00e9");
    EXPECT_EQ(GetWStringMember(reply, "bad"), u"");
    EXPECT_EQ(GetStringMember(JsonValue(), "s"), "");
    EXPECT_EQ(GetScaledNumber(reply, "b", 2.0).present, 0);
    EXPECT_EQ(StatusText(ParseJsonText(R"({"z":1,"a":"\u00e9"})")), u"{\"a\":\"\u00e9\",\"z\":1}");
    EXPECT_EQ(StatusText(JsonValue()), u"null");
    EXPECT_EQ(StatusText(reply), u"") << "a text that is not UTF-8 has no UTF-16 form";
}

}  // namespace
