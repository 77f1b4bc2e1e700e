// The size rule of every export that returns text of varying length in a
// caller's buffer with an in/out length in bytes: a null buffer is a size
// query (the call stores the bytes it needs and returns 0); with a buffer, at
// most length/2 UTF-16 units including the terminator are written, and a
// text that does not fit is left cut short and terminated, the length set to
// 0 and the result 0. QuorlanGetConnectionStateString is its model.
#pragma once

#include <cstddef>
#include <cstdint>

namespace qlclapi {

// Copies text (units long) into buffer of capacity units, cut at capacity-1
// units and terminated. False when it did not fit whole; a capacity of 0
// writes nothing and fails.
bool CopyCutToCapacity(const char16_t* text, size_t units, char16_t* buffer, size_t capacity) noexcept;

// The delivery step of the rule, for a non-null buffer and length: 1 when
// the whole text was copied (the length is left as it was), else 0 with the
// length set to 0.
uint32_t DeliverText(const char16_t* text, size_t units, char16_t* buffer, uint32_t* lengthInBytes) noexcept;

}  // namespace qlclapi
