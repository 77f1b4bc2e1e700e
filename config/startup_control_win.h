// Whether the client loads when the machine starts: the start types of its
// services, written straight into their registry keys, the policy agent's
// dependency on VESSERV, and the recorded choice Enabled.
#pragma once

#include <cstdint>

#include "config/config_status.h"
#include "config/startup_services.h"

namespace qlclapi {

enum StartupMode : uint32_t { kStartupOff = 0, kStartupOn = 1, kStartupReadOnly = 2 };

// Mode 0 switches off, 1 switches on, any other value only reads. For modes
// 0 and 1 every service key is created or opened and its Start written, in
// table order and without rollback (0x80000000 when a key cannot be opened
// or created, 0x80080391 when Start cannot be written: both stop at once);
// then the dependency is edited and Enabled written, neither looked at.
// For every mode *recorded receives Enabled, or 3 when it is missing.
ConfigStatus ConfigureStartup(uint32_t mode, uint32_t* recorded);

// The calls of QuorlanGetLoadAtStartup (1 with the recorded choice, 0 for a
// null pointer) and QuorlanSetLoadAtStartup (1 when every service was set).
uint32_t GetLoadAtStartup(uint32_t* value);
uint32_t SetLoadAtStartup(int32_t enable);

}  // namespace qlclapi
