// The logic of QuorlanGetConnectionStateString: a fresh snapshot from the
// driver, composed in the user's language and copied by the size rule.
#pragma once

#include <cstdint>

namespace qlclapi {

// What a size query answers: a whole 1024-unit text in bytes.
constexpr uint32_t kStatusTextBytes = 2048;

// buffer null: *lengthInBytes becomes 2048 and the result is 0, with no
// request sent. Otherwise 1 when the whole text fit into *lengthInBytes / 2
// units; else the buffer holds it cut short (when it has room for a unit),
// *lengthInBytes becomes 0 and the result is 0. A null length gives 0.
uint32_t GetConnectionStateString(wchar_t* buffer, uint32_t* lengthInBytes);

}  // namespace qlclapi
