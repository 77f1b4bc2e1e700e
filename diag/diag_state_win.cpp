#include "diag/diag_state.h"

#include <windows.h>

#include <nlohmann/json.hpp>

#include "diag/diag_requests.h"
#include "diag/diag_status.h"
#include "diag/json_exchange.h"

namespace qlclapi {

JsonValue QueryState(const std::string& wildcardFilter, const std::string& exactFilter) noexcept {
    try {
        return Exchange(MakeStateQuery(wildcardFilter, exactFilter));
    } catch (const std::exception&) {
        return JsonValue();
    }
}

JsonValue QueryGeneralState() noexcept { return QueryState(kGeneralWildcardFilter, kGeneralExactFilter); }

JsonValue QueryReportTestState() noexcept { return QueryState(kReportTestWildcardFilter, kReportTestExactFilter); }

std::wstring LastMessageSentText(const JsonValue& reply) {
    const uint64_t time = LastMessageSentTime(reply);
    if (time == 0) return std::wstring();
    FILETIME fileTime{DWORD(time), DWORD(time >> 32)};
    SYSTEMTIME utc, local;
    if (!FileTimeToSystemTime(&fileTime, &utc) || !SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local))
        return std::wstring();
    wchar_t date[100] = L"", clock[100] = L"";
    if (!GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_LONGDATE, &local, nullptr, date, 100, nullptr)) date[0] = 0;
    if (!GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &local, nullptr, clock, 100)) clock[0] = 0;
    return std::wstring(date) + L" " + clock;
}

}  // namespace qlclapi
