// The commands as the service receives them, the request sources in both
// directions, and the status readers, family by family: each reader takes
// its own member, of its own JSON type, or gives its default.
#include <gtest/gtest.h>

#include <climits>
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
        {MakeStateQuery("report-,test-", "collection-state"),
         R"({"exactFilter":"collection-state","type":"state","wildcardFilter":"report-,test-"})"},
    };
    for (const auto& c : kCases) EXPECT_EQ(SerializeCompact(c.first), c.second);
    // The caller's texts were taken over and what was left of them wiped.
    for (const std::string* text : {&memo, &longMemo, &key, &key2, &absent}) {
        EXPECT_TRUE(text->empty());
        EXPECT_EQ(std::string(text->data(), text->capacity()).find_first_not_of('\0'), std::string::npos);
    }
    JsonValue object = MakeTypeOnly(command::kShowReport);
    object["memo"] = std::string(50, 's');
    const std::pair<JsonValue, std::string> kWiped[] = {
        {object, R"({"memo":"","type":""})"}, {JsonValue::array({"x", 1}), R"(["",1])"}, {JsonValue("y"), R"("")"}};
    for (auto [request, wiped] : kWiped) {
        WipeStrings(request);
        EXPECT_EQ(request.dump(), wiped);
    }
}

// {"member":value} from the JSON text of the value.
JsonValue Reply(const std::string& member, const std::string& value) {
    return ParseJsonText("{\"" + member + "\":" + value + "}");
}

// Each reader of a family must give its default when every other member of
// the family is there and its own is not.
template <typename Reader, size_t N, typename Default>
void ExpectOwnMemberOnly(const std::pair<Reader, const char*> (&family)[N], const std::string& value, Default fallback) {
    JsonValue all = JsonValue::object();
    for (const auto& reader : family) all[reader.second] = JsonValue::parse(value);
    for (const auto& [read, member] : family) {
        JsonValue others = all;
        others.erase(member);
        EXPECT_EQ(read(others), fallback) << member << " read another member";
        EXPECT_EQ(read(JsonValue()), fallback) << member;
    }
}

using Flag = bool (*)(const JsonValue&);
const std::pair<Flag, const char*> kFlags[] = {
    {IsServerReachable, "server-reachable"}, {IsReportEnabled, "report-enabled"}, {IsReportActive, "report-active"},
    {IsTestEnabled, "test-enabled"},         {IsTestActive, "test-active"},       {IsTestCoolingOff, "test-cooloff"},
};

TEST(StatusReaders, FlagsAreBooleansOnly) {
    for (const auto& [read, member] : kFlags) {
        EXPECT_TRUE(read(Reply(member, "true"))) << member;
        for (const char* value : {"false", "1", "\"true\"", "null"}) EXPECT_FALSE(read(Reply(member, value))) << member;
    }
    ExpectOwnMemberOnly(kFlags, "true", false);
}

using Number = int32_t (*)(const JsonValue&);
const std::pair<Number, const char*> kNumbers[] = {
    {GetReportInstance, "report-instance"},
    {GetReportPercentComplete, "report-percent-complete"},
    {GetTestInstance, "test-instance"},
};

TEST(StatusReaders, NumbersAreTruncatedOrTheirLow32Bits) {
    const std::pair<const char*, int32_t> kValues[] = {
        {"42", 42}, {"-3", -3}, {"42.9", 42}, {"-0.5", 0}, {"4294967297", 1}, {"-4294967297", -1},
        {"2147483647.9", INT32_MAX}, {"-2147483648.9", INT32_MIN}, {"2147483648.0", INT32_MIN},
        {"-2147483649.0", INT32_MIN}, {"3e9", INT32_MIN}, {"-3e9", INT32_MIN},
        {"18446744073709551616", INT32_MIN}, {"\"42\"", 0}, {"true", 0}};
    for (const auto& [read, member] : kNumbers)
        for (const auto& [value, number] : kValues) EXPECT_EQ(read(Reply(member, value)), number) << member << " " << value;
    ExpectOwnMemberOnly(kNumbers, "7", 0);
}

using Source = DiagSource (*)(const JsonValue&);
const std::pair<Source, const char*> kSources[] = {{GetReportSource, "report-source"}, {GetTestSource, "test-source"}};
using Text = std::u16string (*)(const JsonValue&);
const std::pair<Text, const char*> kTexts[] = {{GetReportCurrentTest, "report-current-test"}, {GetTestFailure, "test-fail"}};

TEST(StatusReaders, SourcesAndTextsAreStringsOnly) {
    for (const auto& [read, member] : kSources) {
        EXPECT_EQ(read(Reply(member, "\"policy\"")), kSourcePolicy) << member;
        EXPECT_EQ(read(Reply(member, "\"API\"")), kSourceApi) << member;
        for (const char* value : {"\"Policy\"", "2", "\"\""}) EXPECT_EQ(read(Reply(member, value)), 0) << member;
    }
    ExpectOwnMemberOnly(kSources, "\"policy\"", kSourceUnknown);
    for (const auto& [read, member] : kTexts) {
        EXPECT_EQ(read(Reply(member, "\"dns \\u00e9\"")), u"dns \u00e9") << member;
        EXPECT_EQ(read(Reply(member, "7")), u"") << member;
        JsonValue notUtf8 = JsonValue::object();
        notUtf8[member] = "\xED\xA0\x80";  // a surrogate's form: no UTF-16 for it
        EXPECT_EQ(read(notUtf8), u"") << member;
    }
    ExpectOwnMemberOnly(kTexts, "\"x\"", std::u16string());
}

TEST(StatusReaders, MeasurementsArePresentNumbersTimesTheirFactor) {
    struct Measurement {
        ScaledNumber TestMeasurements::*field;
        const char* member;
        double factor;
    };
    const Measurement kMeasurements[] = {{&TestMeasurements::latencyMs, "test-latency-ms", 1.0},
                                         {&TestMeasurements::rxMaxBits, "test-rx-bps-max", 8.0},
                                         {&TestMeasurements::txMaxBits, "test-tx-bps-max", 8.0}};
    const std::pair<const char*, double> kValues[] = {
        {"1000", 1000.0}, {"0.5", 0.5}, {"-2", -2.0}, {"18446744073709551615", 18446744073709551615.0},
        {"-9223372036854775808", -9223372036854775808.0}};
    for (const Measurement& m : kMeasurements) {
        for (const auto& [value, number] : kValues) {
            const ScaledNumber read = GetTestMeasurements(Reply(m.member, value)).*m.field;
            EXPECT_EQ(read.present, 1) << m.member << " " << value;
            EXPECT_EQ(read.value, number * m.factor) << m.member << " " << value;
        }
        for (const char* value : {"\"1000\"", "true", "null"}) {
            const ScaledNumber read = GetTestMeasurements(Reply(m.member, value)).*m.field;
            EXPECT_EQ(read.present, 0) << m.member << " " << value;
            EXPECT_EQ(read.value, 0.0) << m.member << " " << value;
        }
        JsonValue others = JsonValue::object();
        for (const Measurement& other : kMeasurements)
            if (&other != &m) others[other.member] = 5;
        EXPECT_EQ((GetTestMeasurements(others).*m.field).present, 0) << m.member << " read another member";
    }
}

TEST(StatusReaders, CollectionStateAndLastMessageTime) {
    // Not an object, no members, no such member, or not a string: stopped.
    for (const char* reply : {"", "[{\"collection-state\":\"collecting\"}]", "{}", "{\"other\":1}"}) {
        EXPECT_EQ(GetCollectionState(ParseJsonText(reply)), 1) << reply;
        EXPECT_FALSE(IsCollecting(ParseJsonText(reply))) << reply;
    }
    const std::pair<const char*, int32_t> kStates[] = {
        {"2", 1}, {"\"\"", 1}, {"\"stopped\"", 1}, {"\"collecting\"", 2}, {"\"sleep-diags\"", 3},
        {"\"sleep-bypass\"", 4}, {"\"sleep-disabled\"", 5}, {"\"restart\"", 6}, {"\"Collecting\"", 0}};
    for (const auto& [value, state] : kStates) {
        EXPECT_EQ(GetCollectionState(Reply("collection-state", value)), state) << value;
        EXPECT_EQ(IsCollecting(Reply("collection-state", value)), state == 2) << value;
    }
    const std::pair<const char*, uint64_t> kTimes[] = {
        {"133000000000000000", 133000000000000000ull}, {"18446744073709551615", UINT64_MAX},
        {"1.33e17", 0}, {"-5", 0}, {"\"133\"", 0}};
    for (const auto& [value, time] : kTimes) EXPECT_EQ(LastMessageSentTime(Reply("last-message-sent", value)), time);
}

}  // namespace
