// Where the texts of a status text come from: the library's own string
// table, a language module's, or (in tests and fuzz targets) one read from
// the string source. Portable: the composition never sees a module handle.
#pragma once

#include <cstddef>
#include <cstdint>

namespace qlclapi {

class StringTable {
public:
    // Copies the text of `id` into buffer, at most capacity - 1 units, and
    // terminates it (capacity is at least 1). Returns the units copied; 0
    // when the id has no text.
    virtual size_t load(uint16_t id, char16_t* buffer, size_t capacity) const = 0;

protected:
    ~StringTable() = default;
};

// text(id) as the composition uses it: an id beyond the 16-bit ids of a
// string table (a reason or phase beyond every table) has no text, and a
// text ends at its first zero unit, whatever the table claims.
size_t LoadText(const StringTable& strings, uint64_t id, char16_t* buffer, size_t capacity);

}  // namespace qlclapi
