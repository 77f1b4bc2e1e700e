// A string table read from a string source, for composing status texts
// without Windows: the natively built tests and fuzz targets compose from
// the very texts the build puts into the DLL.
#pragma once

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "resources/strings/string_source.h"
#include "status/string_table.h"

namespace qlstrings {

class SourceStringTable final : public qlclapi::StringTable {
public:
    SourceStringTable() = default;
    explicit SourceStringTable(const std::vector<StringEntry>& entries) {
        for (const StringEntry& entry : entries) texts_[entry.id] = entry.text;
    }
    void set(uint16_t id, const std::u16string& text) { texts_[id] = text; }

    // As LoadStringW does it: cut to capacity - 1 units, terminated.
    size_t load(uint16_t id, char16_t* buffer, size_t capacity) const override {
        auto found = texts_.find(id);
        const size_t units = found == texts_.end() ? 0 : std::min(found->second.size(), capacity - 1);
        for (size_t i = 0; i < units; ++i) buffer[i] = found->second[i];
        buffer[units] = 0;
        return units;
    }

private:
    std::map<uint16_t, std::u16string> texts_;
};

}  // namespace qlstrings
