// The one status reader that needs the platform: the last message time as
// the user's long date and time in local time, written out in full for the
// locale en-US in two time zones: UTC, and Central European with summer
// time (the suite win64.diag.clock sets it; Wine takes the zone and the
// locale from the environment). In any other locale or zone it skips.
#include <gtest/gtest.h>

#include <windows.h>

#include <nlohmann/json.hpp>

#include "diag/diag_state.h"
#include "diag/json_text.h"

namespace qltest {
namespace {

using namespace qlclapi;

struct Zone {
    LONG bias, summerBias;  // minutes, as the platform counts them
    const wchar_t* winter;  // 2024-01-17 21:20:00 UTC
    const wchar_t* summer;  // 2024-07-03 09:46:40 UTC
};

const Zone kZones[] = {
    {0, 0, L"Wednesday, January 17, 2024 9:20:00 PM", L"Wednesday, July 3, 2024 9:46:40 AM"},
    {-60, -60, L"Wednesday, January 17, 2024 10:20:00 PM", L"Wednesday, July 3, 2024 11:46:40 AM"},
};

const Zone* KnownZone() {
    wchar_t locale[LOCALE_NAME_MAX_LENGTH] = L"";
    GetUserDefaultLocaleName(locale, LOCALE_NAME_MAX_LENGTH);
    TIME_ZONE_INFORMATION zone{};
    const bool summerTime = GetTimeZoneInformation(&zone) != TIME_ZONE_ID_UNKNOWN;
    for (const Zone& known : kZones)
        if (std::wstring(locale) == L"en-US" && zone.Bias == known.bias &&
            (summerTime ? zone.DaylightBias : 0) == known.summerBias)
            return &known;
    return nullptr;
}

TEST(LastMessageSentText, IsTheUsersLongDateAndTimeInLocalTime) {
    const Zone* zone = KnownZone();
    if (!zone) GTEST_SKIP() << "needs the locale en-US and the zone UTC or Central European";
    const std::pair<std::string, std::wstring> kTexts[] = {
        {"133500000000000000", zone->winter},
        {"133644736000000000", zone->summer},
        {"18446744073709551615", L""},  // no file time the platform converts
        {"0", L""},                     // no message sent yet (which values read as 0: diag_messages_test.cpp)
    };
    for (const auto& [value, text] : kTexts)
        EXPECT_EQ(LastMessageSentText(ParseJsonText("{\"last-message-sent\":" + value + "}")), text) << value;
}

}  // namespace
}  // namespace qltest
