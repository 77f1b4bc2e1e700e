// The string table of a loaded module (the library itself or a language
// module mapped for its resources), read with LoadStringW.
#pragma once

#include <windows.h>

#include <climits>

#include "status/string_table.h"

namespace qlclapi {

class ModuleStringTable final : public StringTable {
public:
    explicit ModuleStringTable(HMODULE module) : module_(module) {}

    size_t load(uint16_t id, char16_t* buffer, size_t capacity) const override {
        buffer[0] = 0;
        const int units = LoadStringW(module_, id, reinterpret_cast<wchar_t*>(buffer),
                                      capacity > INT_MAX ? INT_MAX : static_cast<int>(capacity));
        return units > 0 ? static_cast<size_t>(units) : 0;
    }

private:
    HMODULE module_;
};

}  // namespace qlclapi
