#include "config/chunk_chain.h"

namespace qlclapi {

bool FormatPieceName(const char16_t* value, uint32_t index, char16_t (&name)[kPieceNameUnits]) noexcept {
    char16_t digits[10];
    size_t count = 0;
    do {
        digits[count++] = static_cast<char16_t>(u'0' + index % 10);
        index /= 10;
    } while (index);
    size_t end = 0;
    auto put = [&](char16_t unit) {
        if (end + 1 >= kPieceNameUnits) return false;
        name[end++] = unit;
        return true;
    };
    for (size_t i = 0; value[i]; ++i)
        if (!put(value[i])) return name[0] = 0, false;
    if (!put(u'_') || !put(u'_')) return name[0] = 0, false;
    while (count)
        if (!put(digits[--count])) return name[0] = 0, false;
    name[end] = 0;
    return true;
}

}  // namespace qlclapi
