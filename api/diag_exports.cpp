// Reports, bandwidth tests and custom tags for the client's diagnostics
// service, with their Visual Basic twins, which convert their ANSI texts
// first. Every request made through an export is from the source "API".
// The JSON values and texts of a request can run out of memory: that ends
// the call with 0, never the caller's process.
#include "core/vb_text_win.h"
#include "diag/diag_commands.h"
#include "include/qlclapi.h"

using namespace qlclapi;

namespace {

const char16_t* Utf16(const wchar_t* text) { return reinterpret_cast<const char16_t*>(text); }

QlUInt32 StartReportCall(const wchar_t* memo) {
    try {
        return StartApiReport(Utf16(memo)) ? 1 : 0;
    } catch (...) {
        return 0;
    }
}

QlUInt32 StartBandwidthTestCall(const wchar_t* memo) {
    try {
        return StartApiBandwidthTest(Utf16(memo)) ? 1 : 0;
    } catch (...) {
        return 0;
    }
}

QlUInt32 SetCustomTagCall(const wchar_t* key, const wchar_t* value) {
    try {
        return SetCustomTag(Utf16(key), Utf16(value)) ? 1 : 0;
    } catch (...) {
        return 0;
    }
}

}  // namespace

QlUInt32 QLCLAPI_CALL QuorlanStartReport(const wchar_t* memo) { return StartReportCall(memo); }

QlUInt32 QLCLAPI_VBCALL QuorlanStartReportVB(const char* memo) {
    AnsiArgument wideMemo(memo);
    return StartReportCall(wideMemo.text());
}

QlUInt32 QLCLAPI_CALL QuorlanStartBandwidthTest(const wchar_t* memo) { return StartBandwidthTestCall(memo); }

QlUInt32 QLCLAPI_VBCALL QuorlanStartBandwidthTestVB(const char* memo) {
    AnsiArgument wideMemo(memo);
    return StartBandwidthTestCall(wideMemo.text());
}

QlUInt32 QLCLAPI_CALL QuorlanSetCustomTag(const wchar_t* key, const wchar_t* value) {
    return SetCustomTagCall(key, value);
}

QlUInt32 QLCLAPI_VBCALL QuorlanSetCustomTagVB(const char* key, const char* value) {
    AnsiArgument wideKey(key), wideValue(value);
    // A key that did not convert counts as absent: nothing is sent.
    return SetCustomTagCall(wideKey.text(), wideValue.text());
}
