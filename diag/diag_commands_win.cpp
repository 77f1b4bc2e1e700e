#include "diag/diag_commands.h"

#include <nlohmann/json.hpp>

#include "config/settings_catalogue.h"
#include "config/settings_store_win.h"
#include "core/utf8_text.h"
#include "diag/diag_requests.h"
#include "diag/json_exchange.h"
#include "diag/json_text.h"

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

namespace {

size_t Units(const char16_t* text) {
    size_t units = 0;
    while (text[units]) ++units;
    return units;
}

}  // namespace

bool StartApiReport(const char16_t* memo) {
    return memo ? StartReport(kSourceApi, memo, Units(memo)) : StartReport(kSourceApi, u"", 0);
}

bool StartApiBandwidthTest(const char16_t* memo) {
    return memo ? StartBandwidth(kSourceApi, memo, Units(memo)) : StartBandwidth(kSourceApi, u"", 0);
}

bool SetCustomTag(const char16_t* key, const char16_t* value) {
    if (!key) return false;
    std::string keyText = ToUtf8(key, Units(key));
    std::string valueText = value ? ToUtf8(value, Units(value)) : std::string();
    return SendCustomEvent(keyText, valueText, value != nullptr);
}

void AbortReport() { SendAndDrop(command::kAbortReport); }
void AbortBandwidth() { SendAndDrop(command::kAbortBandwidth); }
void ShowReport() { SendAndDrop(command::kShowReport); }
void ClearLogs() { SendAndDrop(command::kClearLogs); }

}  // namespace qlclapi
