// Why a diagnostics request was not started, as far as the tool can tell
// after the library answered 0: the setting that gates it is off, the
// diagnostics service is not running, or the service refused.
#pragma once

#include <cstdint>
#include <string>

namespace qlctl {

// True when the client's diagnostics service has its pipe open (it may
// still be busy); asks the platform without connecting, so the service
// sees nothing.
bool DiagServiceListening();

// "the setting ... is off" when settingId (0: none) reads as off,
// "the diagnostics service is not running" when its pipe is absent, else
// "the diagnostics service refused the request" with `refusalHint`.
std::string WhyNotStarted(uint32_t settingId, const char* settingName, const std::string& refusalHint);

}  // namespace qlctl
