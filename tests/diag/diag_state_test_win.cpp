// The status query and the readers that need the platform, in process
// against the simulated diagnostics service: the last message time against
// the platform's own formatting, and the wide exchange.
#include <gtest/gtest.h>

#include <windows.h>

#include <nlohmann/json.hpp>

#include "diag/diag_state.h"
#include "diag/diag_status.h"
#include "diag/json_exchange.h"
#include "diag/json_text.h"
#include "support/diag_service.h"

namespace qltest {
namespace {

using namespace qlclapi;

std::wstring PlatformText(uint64_t time) {
    FILETIME file{DWORD(time), DWORD(time >> 32)};
    SYSTEMTIME utc, local;
    if (!FileTimeToSystemTime(&file, &utc) || !SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local)) return L"";
    wchar_t date[100] = L"", clock[100] = L"";
    GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_LONGDATE, &local, nullptr, date, 100, nullptr);
    GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &local, nullptr, clock, 100);
    return std::wstring(date) + L" " + clock;
}

TEST(LastMessageSentText, IsTheUsersLongDateAndTimeInLocalTime) {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    const uint64_t current = uint64_t(now.dwHighDateTime) << 32 | now.dwLowDateTime;
    for (uint64_t time : {current, uint64_t(116444736000000000ull), uint64_t(1), uint64_t(0x7FFFFFFFFFFFFFFFull)}) {
        JsonValue reply = ParseJsonText(R"({"last-message-sent":)" + std::to_string(time) + "}");
        const std::wstring expected = PlatformText(time);
        EXPECT_EQ(LastMessageSentText(reply), expected) << time;
        if (time == current) {
            EXPECT_GT(expected.size(), 5u);
        }
    }
    // 0x8000000000000000 and above are not file times the platform converts.
    EXPECT_EQ(LastMessageSentText(ParseJsonText(R"({"last-message-sent":18446744073709551615})")), L"");
    for (const char* reply : {R"({"last-message-sent":0})", R"({"last-message-sent":-1})",
                              R"({"last-message-sent":1.3e17})", R"({"last-message-sent":"133"})", "null"})
        EXPECT_EQ(LastMessageSentText(ParseJsonText(reply)), L"") << reply;
}

class DiagState : public DiagServiceTest {};

TEST_F(DiagState, QueriesSendTheirFiltersAndReadTheReply) {
    ASSERT_TRUE(service().set("last-message-sent", "133500000000000000"));
    JsonValue general = QueryGeneralState();
    JsonValue reportTest = QueryReportTestState();
    EXPECT_EQ(takeRequests(),
              (std::vector<std::string>{
                  R"({"exactFilter":"collection-state,server-reachable,last-message-sent","type":"state","wildcardFilter":""})",
                  R"({"exactFilter":"collection-state","type":"state","wildcardFilter":"report-,test-"})"}));
    EXPECT_TRUE(IsCollecting(general));
    EXPECT_TRUE(IsServerReachable(general));
    EXPECT_EQ(LastMessageSentTime(general), 133500000000000000ull);
    EXPECT_FALSE(general.contains("report-active"));
    EXPECT_TRUE(reportTest.contains("test-active"));
    EXPECT_FALSE(reportTest.contains("server-reachable"));
}

TEST_F(DiagState, WideExchangeCarriesTextAsTheNarrowOneDoes) {
    JsonValue request = JsonValue::object();
    request["type"] = "customEvent";
    request["key"] = "\xC3\xA9";
    EXPECT_TRUE(IsSuccessReply(ExchangeWide(request)));
    EXPECT_TRUE(IsSuccessReply(Exchange(request)));
    ASSERT_TRUE(service().behave("raw", 0, 0, "{\"status\":\"success\",\"x\":\"\xED\xA0\x80\"}"));
    EXPECT_TRUE(ExchangeWide(request).is_null()) << "a reply that is not UTF-8 has no UTF-16 form";
    EXPECT_EQ(takeRequests(), (std::vector<std::string>(3, "{\"key\":\"\xC3\xA9\",\"type\":\"customEvent\"}")));
}

}  // namespace
}  // namespace qltest
