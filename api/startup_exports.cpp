// Start-up control: the recorded choice and the switch, plain and twin.
#include "config/startup_control_win.h"
#include "include/qlclapi.h"

using namespace qlclapi;

namespace {

QlUInt32 GetLoadAtStartup(QlUInt32* value) {
    if (!value) return 0;
    ConfigureStartup(kStartupReadOnly, value);
    return 1;
}

QlUInt32 SetLoadAtStartup(QlInt32 enable) {
    uint32_t recorded = 0;
    return ConfigSucceeded(ConfigureStartup(enable ? kStartupOn : kStartupOff, &recorded)) ? 1 : 0;
}

}  // namespace

QlUInt32 QLCLAPI_CALL QuorlanGetLoadAtStartup(QlUInt32* value) { return GetLoadAtStartup(value); }
QlUInt32 QLCLAPI_VBCALL QuorlanGetLoadAtStartupVB(QlUInt32* value) { return GetLoadAtStartup(value); }
QlUInt32 QLCLAPI_CALL QuorlanSetLoadAtStartup(QlInt32 enable) { return SetLoadAtStartup(enable); }
QlUInt32 QLCLAPI_VBCALL QuorlanSetLoadAtStartupVB(QlInt32 enable) { return SetLoadAtStartup(enable); }
