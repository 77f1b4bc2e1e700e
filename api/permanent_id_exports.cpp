// The client's permanent identifier, as bytes for the plain export and as
// bytes packed into a BSTR for its Visual Basic twin.
#include <windows.h>
#include <oleauto.h>

#include "config/permanent_id_win.h"
#include "include/qlclapi.h"

using namespace qlclapi;

QlUInt32 QLCLAPI_CALL QuorlanGetPermanentID(void* buffer, QlUInt32* length) { return GetPermanentId(buffer, length); }

// The identifier's bytes two to a unit, an odd count leaving a zero high
// byte in the last unit. An identifier that cannot be read, or one longer
// than the 32 bytes the library reserves, leaves the caller's string as it
// was: handing out its first 32 bytes would name another client.
QlUInt32 QLCLAPI_VBCALL QuorlanGetPermanentIDVB(QlBstr* text) {
    if (!text) return 0;
    // One spare byte: the last unit of an odd count is read whole.
    uint8_t id[kPermanentIdBytes + 2] = {};
    uint32_t bytes = 0;
    if (ReadWholePermanentId(reinterpret_cast<uint8_t(&)[kPermanentIdBytes]>(id), &bytes)) return 0;
    return SysReAllocStringLen(text, reinterpret_cast<const OLECHAR*>(id), (bytes + 1) / 2) ? 1 : 0;
}
