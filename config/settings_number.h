// Number settings in the text store are decimal text. A read takes at most
// 12 UTF-16 units (the rest of a longer value never arrives), converts them
// to UTF-8 by the strict rules of utf8_text.h into 12 bytes with room for a
// terminator, and reads the number the text begins with as the C library's
// atol does: leading white space, an optional sign, decimal digits; no
// digits give 0.
#pragma once

#include <cstddef>
#include <cstdint>

#include "config/config_status.h"

namespace qlclapi {

constexpr size_t kNumberSettingUnits = 12;

// `units` units of text (it ends earlier at a zero unit). 0 with the number
// in *value; 0x80000000 for a high surrogate without its partner (*value
// untouched); 0x80000007 when the UTF-8 form needs more than 11 bytes.
// Numbers beyond 32 bits saturate at INT32_MAX / INT32_MIN as the
// platform's atol does; *value holds the signed result's bits.
ConfigStatus ParseNumberSetting(const char16_t* text, size_t units, uint32_t* value) noexcept;

// atol over a terminated byte text, saturating to 32 bits.
int32_t LeadingNumber(const char* text) noexcept;

}  // namespace qlclapi
