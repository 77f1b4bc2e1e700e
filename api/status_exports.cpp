// The connection status as text, in the user's language, with its Visual
// Basic twin (size query, fetch, ANSI bytes in the caller's BSTR).
#include "core/vb_text_win.h"
#include "include/qlclapi.h"
#include "status/status_text_win.h"

using namespace qlclapi;

QlUInt32 QLCLAPI_CALL QuorlanGetConnectionStateString(wchar_t* buffer, QlUInt32* length) {
    return GetConnectionStateString(buffer, length);
}

QlUInt32 QLCLAPI_VBCALL QuorlanGetConnectionStateStringVB(QlBstr* text) {
    // Without a place for the text nothing is asked of the driver.
    if (!text) return 0;
    return StoreVaryingTextInBstr(text, GetConnectionStateString);
}
