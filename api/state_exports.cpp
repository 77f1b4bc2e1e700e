// Version, connection state, disconnect reason, state-change notification
// and the commands, with their Visual Basic twins. Twins without text
// arguments behave exactly like their plain export.
#include "core/driver_channel_win.h"
#include "core/request_codes.h"
#include "core/state_calls_win.h"
#include "include/qlclapi.h"

using namespace qlclapi;

QlUInt32 QLCLAPI_CALL QuorlanGetVersion(void) { return Channel().driverVersion; }
QlUInt32 QLCLAPI_VBCALL QuorlanGetVersionVB(void) { return Channel().driverVersion; }

QlInt32 QLCLAPI_CALL QuorlanGetConnectionState(void) { return GetConnectionState(); }
QlInt32 QLCLAPI_VBCALL QuorlanGetConnectionStateVB(void) { return GetConnectionState(); }

// There is only the one technology.
QlUInt32 QLCLAPI_CALL QuorlanGetVorantisTechnology(void) { return 1; }
QlUInt32 QLCLAPI_VBCALL QuorlanGetVorantisTechnologyVB(void) { return 1; }

QlUInt32 QLCLAPI_CALL QuorlanEnable(void) { return SendCommand(RequestCode::Enable); }
QlUInt32 QLCLAPI_VBCALL QuorlanEnableVB(void) { return SendCommand(RequestCode::Enable); }

QlUInt32 QLCLAPI_CALL QuorlanLogoff(void) { return LogOff(); }
QlUInt32 QLCLAPI_VBCALL QuorlanLogoffVB(void) { return LogOff(); }

QlUInt32 QLCLAPI_CALL QuorlanBypass(void) { return SendCommand(RequestCode::Bypass); }
QlUInt32 QLCLAPI_VBCALL QuorlanBypassVB(void) { return SendCommand(RequestCode::Bypass); }

QlUInt32 QLCLAPI_CALL QuorlanTriggerQLSRouteCheck(void) { return SendCommand(RequestCode::RouteCheck); }
QlUInt32 QLCLAPI_VBCALL QuorlanTriggerQLSRouteCheckVB(void) { return SendCommand(RequestCode::RouteCheck); }

QlUInt32 QLCLAPI_CALL QuorlanGetDisconnectReason(QlUInt32* reason) { return GetDisconnectReason(reason); }
QlUInt32 QLCLAPI_VBCALL QuorlanGetDisconnectReasonVB(QlUInt32* reason) { return GetDisconnectReason(reason); }

QlUInt32 QLCLAPI_CALL QuorlanNotifyStateChange(struct _OVERLAPPED* overlapped) {
    return NotifyStateChange(overlapped);
}
// Visual Basic cannot keep an overlapped structure alive for the driver.
QlUInt32 QLCLAPI_VBCALL QuorlanNotifyStateChangeVB(QlUInt32) { return 0; }

QlUInt32 QLCLAPI_CALL QuorlanCancelNotifyStateChange(struct _OVERLAPPED* overlapped) {
    return CancelNotifyStateChange(overlapped);
}

// Also exported as QuorlanGetStateChangeNotficationEventHandle[VB], the
// name earlier clients link against.
void* QLCLAPI_CALL QuorlanGetStateChangeNotificationEventHandle(void) { return OpenStateChangeEvent(); }
void* QLCLAPI_VBCALL QuorlanGetStateChangeNotificationEventHandleVB(void) { return OpenStateChangeEvent(); }
