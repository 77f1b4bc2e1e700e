// Asking the diagnostics service for its status ("state" command), and the
// one reader that needs the platform: the time of the last message sent.
// The other readers are in diag_status.h.
#pragma once

#include <string>

#include "diag/json_value.h"

namespace qlclapi {

// The reply as Exchange returns it, with no success test: the service is
// expected to answer with the members named in exactFilter and every member
// whose name begins with a prefix in wildcardFilter (both comma-separated,
// UTF-8); the library takes whatever members come.
JsonValue QueryState(const std::string& wildcardFilter, const std::string& exactFilter) noexcept;
// "collection-state", "server-reachable", "last-message-sent".
JsonValue QueryGeneralState() noexcept;
// "collection-state" and every "report-" and "test-" member.
JsonValue QueryReportTestState() noexcept;

// "last-message-sent" (a file time, UTC) as the user's long date, a space
// and the time, in local time; empty when the member is missing, not an
// integer of 1 or more, or cannot be converted. A part the platform cannot
// format is left empty.
std::wstring LastMessageSentText(const JsonValue& reply);

}  // namespace qlclapi
