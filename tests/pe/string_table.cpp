#include "string_table.h"

namespace pecheck {

namespace {

constexpr uint32_t kStringType = 6;

}  // namespace

StringTable ReadStringTable(const PeImage& image) {
    StringTable table;
    for (const ResourceEntry& r : image.resources()) {
        if (r.type != kStringType) continue;
        ++table.blocksByLanguage[r.language];
        const std::vector<uint8_t>& d = r.data;
        size_t at = 0;
        for (uint32_t slot = 0; slot < 16; ++slot) {
            if (at + 2 > d.size()) {
                table.error = "block " + std::to_string(r.id) + " ends before text " + std::to_string(slot);
                return table;
            }
            const size_t units = d[at] | d[at + 1] << 8;
            at += 2;
            if (at + 2 * units > d.size()) {
                table.error = "block " + std::to_string(r.id) + " ends inside text " + std::to_string(slot);
                return table;
            }
            std::u16string text;
            for (size_t i = 0; i < units; ++i, at += 2) text += char16_t(d[at] | d[at + 1] << 8);
            if (!text.empty()) table.texts[uint16_t((r.id - 1) * 16 + slot)] = text;
        }
    }
    return table;
}

}  // namespace pecheck
