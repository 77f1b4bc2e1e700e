// The string table of a built image read back out of its resources: each
// RT_STRING block n holds the texts of ids 16(n-1) to 16(n-1)+15 as a
// 16-bit unit count and that many UTF-16 units; an empty one is no text.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "pe_image.h"

namespace pecheck {

struct StringTable {
    std::map<uint16_t, std::u16string> texts;
    std::map<uint32_t, size_t> blocksByLanguage;
    std::string error;  // a block that ends before its texts do
};

StringTable ReadStringTable(const PeImage& image);

}  // namespace pecheck
