// Values the client driver gives that the library has no export for (the
// connecting phase, the traffic flag), asked of \\.\QLDRV directly, with
// the request codes the library uses.
#pragma once

#include <cstdint>

namespace qlctl {

// False without a driver, or when it refused or answered fewer than four bytes.
bool ReadDriverWord(uint32_t code, uint32_t& value);

}  // namespace qlctl
