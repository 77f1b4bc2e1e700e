// A qlclapi.dll of an older make that exports only QuorlanGetVersion: what
// qlctl meets when a command needs an export the library lacks.
#include "qlclapi.h"

extern "C" QlUInt32 QLCLAPI_CALL QuorlanGetVersion(void) { return 0x0C0C0001; }
