#include "diag/diag_commands.h"

#include <nlohmann/json.hpp>

#include "config/settings_catalogue.h"
#include "config/settings_store_win.h"
#include "diag/diag_requests.h"
#include "diag/json_exchange.h"
#include "diag/json_text.h"
#include "diag/utf8_text.h"

namespace qlclapi {

namespace {

// A request whose caller texts are wiped however the command ends.
struct WipedRequest {
    JsonValue value;
    ~WipedRequest() { WipeStrings(value); }
};

bool SettingAllows(uint32_t id) {
    uint32_t on = 0;
    ReadSettingDword(id, &on, 0);
    return on != 0;
}

bool Start(const char* type, uint32_t gate, DiagSource source, const char16_t* memo, size_t units) {
    if (source != kSourcePolicy && !SettingAllows(gate)) return false;
    std::string text = ToUtf8(memo, units);
    WipedRequest request{MakeStartRequest(type, source, text)};
    return IsSuccessReply(Exchange(request.value));
}

void SendAndDrop(const char* type) { Exchange(MakeTypeOnly(type)); }

}  // namespace

bool StartReport(DiagSource source, const char16_t* memo, size_t units) {
    return Start(command::kStartReport, setting::kEnableClientReports, source, memo, units);
}

bool StartBandwidth(DiagSource source, const char16_t* memo, size_t units) {
    return Start(command::kStartBandwidth, setting::kEnableBandwidthTest, source, memo, units);
}

bool SendCustomEvent(std::string& key, std::string& value, bool hasValue) {
    WipedRequest request{MakeCustomEvent(key, value, hasValue)};
    return IsSuccessReply(Exchange(request.value));
}

void AbortReport() { SendAndDrop(command::kAbortReport); }
void AbortBandwidth() { SendAndDrop(command::kAbortBandwidth); }
void ShowReport() { SendAndDrop(command::kShowReport); }
void ClearLogs() { SendAndDrop(command::kClearLogs); }

}  // namespace qlclapi
