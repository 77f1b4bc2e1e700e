#include "diag_reasons.h"

#include <windows.h>

#include "config/settings_store_win.h"
#include "diag/diag_pipe.h"

namespace qlctl {

bool DiagServiceListening() {
    // A pipe that does not exist fails at once; one whose instances are all
    // busy times out; neither connects.
    return WaitNamedPipeW(qlclapi::kDiagPipeName, 1) || GetLastError() != ERROR_FILE_NOT_FOUND;
}

std::string WhyNotStarted(uint32_t settingId, const char* settingName, const std::string& refusalHint) {
    if (settingId) {
        uint32_t on = 0;
        qlclapi::ReadSettingDword(settingId, &on, 0);
        if (on == 0)
            return std::string("the client's setting ") + settingName +
                   " is off or not set, so nothing was sent (an administrator turns it on)";
    }
    if (!DiagServiceListening()) return "the diagnostics service is not running";
    return "the diagnostics service refused the request" + refusalHint;
}

}  // namespace qlctl
