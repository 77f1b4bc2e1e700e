#include "config/settings_number.h"

#include "core/utf8_text.h"

namespace qlclapi {

int32_t LeadingNumber(const char* text) noexcept {
    // The C locale's white space: no multibyte space counts.
    while (*text == ' ' || (*text >= '\t' && *text <= '\r')) ++text;
    bool negative = *text == '-';
    if (*text == '-' || *text == '+') ++text;
    int64_t magnitude = 0;
    for (; *text >= '0' && *text <= '9'; ++text)
        if (magnitude <= INT64_C(0x80000000)) magnitude = magnitude * 10 + (*text - '0');
    if (negative) return magnitude >= INT64_C(0x80000000) ? INT32_MIN : int32_t(-magnitude);
    return magnitude > INT32_MAX ? INT32_MAX : int32_t(magnitude);
}

ConfigStatus ParseNumberSetting(const char16_t* text, size_t units, uint32_t* value) noexcept {
    if (!value) return kConfigInvalidArgument;
    if (units > kNumberSettingUnits) units = kNumberSettingUnits;
    size_t length = 0;
    while (length < units && text[length]) ++length;
    size_t bytes = Utf8Length(text, length);
    if (bytes == kNotConvertible) return kConfigFailed;
    if (bytes >= kNumberSettingUnits) return kConfigBufferTooSmall;  // no room for the terminator
    char utf8[kNumberSettingUnits] = {};
    WriteUtf8(text, length, utf8);
    *value = uint32_t(LeadingNumber(utf8));
    return kConfigOk;
}

}  // namespace qlclapi
