#include "status/string_table.h"

namespace qlclapi {

size_t LoadText(const StringTable& strings, uint64_t id, char16_t* buffer, size_t capacity) {
    buffer[0] = 0;
    if (id == 0 || id > 0xFFFF) return 0;
    size_t units = strings.load(static_cast<uint16_t>(id), buffer, capacity);
    if (units > capacity - 1) units = capacity - 1;
    for (size_t i = 0; i < units; ++i)
        if (buffer[i] == 0) {
            units = i;
            break;
        }
    buffer[units] = 0;
    return units;
}

}  // namespace qlclapi
