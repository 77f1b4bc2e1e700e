// Adding a name to, or removing it from, a service's dependency list
// through the service control manager.
#pragma once

#include <cstdint>

#include "config/config_status.h"
#include "config/dependency_edit.h"

namespace qlclapi {

// mode 1 adds dependency to service's list, mode 0 removes it (in any
// letter case), other modes change nothing and give 0x80000000. An add of a
// name already present changes nothing and gives 0x80000000 unless force is
// set; force also makes the change set the service type to
// SERVICE_WIN32_OWN_PROCESS. A removal of a name not present gives 0. Any
// failure to reach or query the service gives 0x80000000.
ConfigStatus EditServiceDependency(uint32_t mode, const wchar_t* dependency, const wchar_t* service, bool force);

}  // namespace qlclapi
