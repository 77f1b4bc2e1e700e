// Start-up control: the recorded choice and the switch, plain and twin.
#include "config/startup_control_win.h"
#include "include/qlclapi.h"

using namespace qlclapi;

QlUInt32 QLCLAPI_CALL QuorlanGetLoadAtStartup(QlUInt32* value) { return GetLoadAtStartup(value); }
QlUInt32 QLCLAPI_VBCALL QuorlanGetLoadAtStartupVB(QlUInt32* value) { return GetLoadAtStartup(value); }
QlUInt32 QLCLAPI_CALL QuorlanSetLoadAtStartup(QlInt32 enable) { return SetLoadAtStartup(enable); }
QlUInt32 QLCLAPI_VBCALL QuorlanSetLoadAtStartupVB(QlInt32 enable) { return SetLoadAtStartup(enable); }
