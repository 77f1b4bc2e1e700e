// The status text's format strings ("Connected as %s") take exactly one
// string. A format comes from a language module, which anyone can write, so
// it never reaches a printf-family function: the first %s takes the
// argument, %% is a percent sign, and any other % sequence (a second %s
// included) is copied as it stands.
#pragma once

#include <cstddef>

namespace qlclapi {

// Writes the result into out (capacity units, at least 1), cut at
// capacity - 1 units and terminated; returns its length.
size_t FormatOneString(const char16_t* format, size_t formatUnits, const char16_t* argument, size_t argumentUnits,
                       char16_t* out, size_t capacity);

}  // namespace qlclapi
