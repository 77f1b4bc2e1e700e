// The client's permanent identifier, as bytes for the plain export and as
// bytes packed into a BSTR for its Visual Basic twin.
#include "config/permanent_id_win.h"
#include "include/qlclapi.h"

using namespace qlclapi;

QlUInt32 QLCLAPI_CALL QuorlanGetPermanentID(void* buffer, QlUInt32* length) { return GetPermanentId(buffer, length); }
QlUInt32 QLCLAPI_VBCALL QuorlanGetPermanentIDVB(QlBstr* text) { return GetPermanentIdPacked(text); }
