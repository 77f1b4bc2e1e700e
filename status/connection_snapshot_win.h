// The driver's answers a status text is composed from.
#pragma once

#include "status/connection_status.h"

namespace qlclapi {

// In this order, each only with a driver: the disconnected flag and the
// state, the connecting phase, the disconnect reason, the traffic flag and,
// in the connected state, the details record. A refused request leaves its
// field at the snapshot's initial value.
ConnectionSnapshot TakeConnectionSnapshot();

}  // namespace qlclapi
