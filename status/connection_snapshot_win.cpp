#include "status/connection_snapshot_win.h"

#include "core/driver_channel_win.h"
#include "core/request_codes.h"
#include "core/state_calls_win.h"

namespace qlclapi {

ConnectionSnapshot TakeConnectionSnapshot() {
    ConnectionSnapshot snapshot;
    if (!DriverAvailable()) return snapshot;
    snapshot.state = GetConnectionState();
    uint32_t returned = 0;
    ReadDriverWord(RequestCode::ConnectingPhase, &snapshot.connectingPhase, &returned);
    if (returned < sizeof snapshot.connectingPhase) snapshot.connectingPhase = 0;
    GetDisconnectReason(&snapshot.disconnectReason);
    uint32_t traffic = 0;
    ReadDriverWord(RequestCode::TrafficBypassed, &traffic);
    snapshot.trafficBypassed = traffic != 0;
    if (snapshot.state == kStatusConnected)
        snapshot.detailsAnswered = SendDeviceRequest(RequestCode::ConnectionDetails, nullptr, 0, snapshot.details,
                                                     sizeof snapshot.details);
    return snapshot;
}

}  // namespace qlclapi
