// Ids of the library's string table that the status text is built from.
// Language modules carry the same ids; an id without a text gives an empty
// part, and a module may give a text to an id the library leaves empty.
#pragma once

#include <cstdint>

namespace qlclapi {

namespace StringId {
constexpr uint32_t ClientNotLoaded = 5001;
constexpr uint32_t Disabled = 5002;
constexpr uint32_t Connecting = 5003;
constexpr uint32_t Connected = 5004;
constexpr uint32_t ServerUnreachable = 5005;
constexpr uint32_t Idle = 5007;
constexpr uint32_t Disconnected = 5008;
// No text of their own in the library's table: the second and third parts
// of a state that says nothing more.
constexpr uint32_t NothingMore = 5009;
constexpr uint32_t IdleDetail = 5010;
constexpr uint32_t DisabledDetail = 5011;
constexpr uint32_t TrafficNotUsingClient = 5012;
constexpr uint32_t DeviceConnected = 5014;
constexpr uint32_t LastReasonLabel = 5015;
constexpr uint32_t ConnectedAs = 5016;        // one %s: the user
constexpr uint32_t DeviceConnectedAs = 5017;  // one %s: the device
// Disconnect reason N is ReasonBase + N, connecting phase M is PhaseBase + M.
constexpr uint32_t ReasonBase = 34000;
constexpr uint32_t PhaseBase = 34600;
}  // namespace StringId

}  // namespace qlclapi
