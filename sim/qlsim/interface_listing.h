// The interface table as "qlsim interface list" prints it.
#pragma once

#include <cstddef>

#include "sim_records.h"

namespace qlsim {

// `tableBytes`: the size of the record the table was read from.
void PrintInterfaces(const InterfaceTableReading& table, size_t tableBytes, bool json);

}  // namespace qlsim
