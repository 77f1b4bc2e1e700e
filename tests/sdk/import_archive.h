// A reader for import libraries in the Microsoft format: an ar archive whose
// members are short import objects (IMPORT_OBJECT_HEADER, then the symbol
// and the DLL name). Other members (the import descriptor objects) are
// skipped. Every read is bounded by the file's size.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sdkcheck {

struct ShortImport {
    uint16_t machine = 0;
    unsigned type = 0;      // 0 code, 1 data, 2 const
    unsigned nameType = 0;  // 0 ordinal, 1 name, 2 no prefix, 3 undecorate
    std::string symbol;     // what a caller's object file references
    std::string dll;
    // The name the loader looks up in the DLL, derived from symbol by the
    // name type the way the linker derives it.
    std::string importName() const;
};

// Throws std::runtime_error for a file that is not an archive or whose
// members run off its end.
std::vector<ShortImport> readShortImports(const std::string& path);

}  // namespace sdkcheck
