// The path of a user's own values below the current state key:
// [prefix\]Desktop Users\NAME[@DOMAIN] or [prefix\]Vorantis Users\NAME[@DOMAIN],
// with "__NOBODY__" for a missing user name. Built with bounded appends:
// what does not fit is cut, and the buffer is always terminated.
#pragma once

#include <cstddef>

namespace qlclapi {

constexpr size_t kUserKeyPathUnits = 256;

// capacity in units, at least 1. A null or empty prefix adds nothing, nor
// does a null or empty domain.
void BuildUserKeyPath(char16_t* buffer, size_t capacity, const char16_t* prefix, const char16_t* user,
                      const char16_t* domain, bool desktop) noexcept;

}  // namespace qlclapi
