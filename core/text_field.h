// The fixed UTF-16 text fields of the records sent to the driver: 256 units,
// so at most 255 characters and a terminator. Longer text is cut without an
// error.
#pragma once

#include <cstddef>

namespace qlclapi {

constexpr size_t kTextFieldUnits = 256;
using TextField = wchar_t[kTextFieldUnits];

// Copies at most 255 characters of source and a terminator into an
// already zeroed field; a null source leaves the field empty.
inline void CopyIntoTextField(TextField& field, const wchar_t* source) {
    if (!source) return;
    size_t i = 0;
    for (; i < kTextFieldUnits - 1 && source[i]; ++i) field[i] = source[i];
    field[i] = 0;
}

}  // namespace qlclapi
