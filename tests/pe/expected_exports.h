// The exports the DLL must carry, read from the lists in expected/ (one file
// per family of exports, so that each family's list stays beside its peers).
#pragma once

#include <string>
#include <vector>

namespace pecheck {

struct ExpectedExport {
    enum Kind { Cdecl, Stdcall, Alias } kind = Cdecl;
    std::string name;
    unsigned argumentBytes = 0;  // Stdcall only
    std::string aliasOf;         // Alias only
};

// Throws std::runtime_error on a malformed line, naming file and line.
std::vector<ExpectedExport> loadExpectedExports(const std::string& directory);

}  // namespace pecheck
