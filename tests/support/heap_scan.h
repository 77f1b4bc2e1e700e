// Looks for a byte pattern in every heap block of the process, allocated or
// free: what a library leaves behind in released memory is still there.
#pragma once

#include <cstddef>

namespace qltest {

bool ProcessHeapsContain(const void* pattern, size_t size);

}  // namespace qltest
