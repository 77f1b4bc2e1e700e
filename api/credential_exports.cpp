// Credential connect and external conditions, with their Visual Basic
// twins, which convert their ANSI texts first.
#include "core/vb_text_win.h"
#include "core/credential_connect.h"
#include "include/qlclapi.h"

using namespace qlclapi;

QlUInt32 QLCLAPI_CALL QuorlanConnectWithPassword(const wchar_t* first, const wchar_t* second,
                                                 const wchar_t* third) {
    return ConnectWithPassword(first, second, third);
}

QlUInt32 QLCLAPI_VBCALL QuorlanConnectWithPasswordVB(const char* first, const char* second, const char* third) {
    AnsiArgument wideFirst(first), wideSecond(second), wideThird(third);
    return ConnectWithPassword(wideFirst.text(), wideSecond.text(), wideThird.text());
}

// One-time passwords are not handled by this client.
QlUInt32 QLCLAPI_CALL QuorlanConnectWithOTP(const wchar_t*, const wchar_t*) { return 0; }
QlUInt32 QLCLAPI_VBCALL QuorlanConnectWithOTPVB(const char*, const char*) { return 0; }

QlUInt32 QLCLAPI_CALL QuorlanSetExternalCondition(const wchar_t* first, const wchar_t* second) {
    return SetExternalCondition(first, second);
}

QlUInt32 QLCLAPI_VBCALL QuorlanSetExternalConditionVB(const char* first, const char* second) {
    AnsiArgument wideFirst(first), wideSecond(second);
    // A first text that did not convert counts as absent: nothing is sent.
    return SetExternalCondition(wideFirst.text(), wideSecond.text());
}
