// Reports, bandwidth tests and custom tags for the client's diagnostics
// service, with their Visual Basic twins, which convert their ANSI texts
// first. Every request made through an export is from the source "API".
#include <cwchar>
#include <string>

#include "api/vb_adapters.h"
#include "diag/diag_commands.h"
#include "diag/utf8_text.h"
#include "include/qlclapi.h"

using namespace qlclapi;

namespace {

const char16_t* Utf16(const wchar_t* text) { return reinterpret_cast<const char16_t*>(text); }

// A null memo is sent as the empty text.
template <bool (*Start)(DiagSource, const char16_t*, size_t)>
QlUInt32 StartWithMemo(const wchar_t* memo) {
    try {
        return Start(kSourceApi, memo ? Utf16(memo) : u"", memo ? wcslen(memo) : 0) ? 1 : 0;
    } catch (...) {
        return 0;
    }
}

QlUInt32 SetCustomTag(const wchar_t* key, const wchar_t* value) {
    if (!key) return 0;
    try {
        std::string keyText = ToUtf8(Utf16(key), wcslen(key));
        std::string valueText = value ? ToUtf8(Utf16(value), wcslen(value)) : std::string();
        return SendCustomEvent(keyText, valueText, value != nullptr) ? 1 : 0;
    } catch (...) {
        return 0;
    }
}

}  // namespace

QlUInt32 QLCLAPI_CALL QuorlanStartReport(const wchar_t* memo) { return StartWithMemo<StartReport>(memo); }

QlUInt32 QLCLAPI_VBCALL QuorlanStartReportVB(const char* memo) {
    AnsiArgument wideMemo(memo);
    return StartWithMemo<StartReport>(wideMemo.text());
}

QlUInt32 QLCLAPI_CALL QuorlanStartBandwidthTest(const wchar_t* memo) { return StartWithMemo<StartBandwidth>(memo); }

QlUInt32 QLCLAPI_VBCALL QuorlanStartBandwidthTestVB(const char* memo) {
    AnsiArgument wideMemo(memo);
    return StartWithMemo<StartBandwidth>(wideMemo.text());
}

QlUInt32 QLCLAPI_CALL QuorlanSetCustomTag(const wchar_t* key, const wchar_t* value) { return SetCustomTag(key, value); }

QlUInt32 QLCLAPI_VBCALL QuorlanSetCustomTagVB(const char* key, const char* value) {
    AnsiArgument wideKey(key), wideValue(value);
    // A key that did not convert counts as absent: nothing is sent.
    return SetCustomTag(wideKey.text(), wideValue.text());
}
