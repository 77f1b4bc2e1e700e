#include "status/one_string_format.h"

namespace qlclapi {

size_t FormatOneString(const char16_t* format, size_t formatUnits, const char16_t* argument, size_t argumentUnits,
                       char16_t* out, size_t capacity) {
    size_t length = 0;
    const auto put = [&](const char16_t* units, size_t count) {
        for (size_t i = 0; i < count && length + 1 < capacity; ++i) out[length++] = units[i];
    };
    bool argumentUsed = false;
    for (size_t i = 0; i < formatUnits && length + 1 < capacity; ++i) {
        if (format[i] == u'%' && i + 1 < formatUnits) {
            if (format[i + 1] == u'%') {
                put(u"%", 1);
                ++i;
                continue;
            }
            if (format[i + 1] == u's' && !argumentUsed) {
                put(argument, argumentUnits);
                argumentUsed = true;
                ++i;
                continue;
            }
        }
        put(format + i, 1);
    }
    out[length] = 0;
    return length;
}

}  // namespace qlclapi
