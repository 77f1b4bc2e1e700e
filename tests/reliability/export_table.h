// Every export of qlclapi.dll as the suite knows it: the names come from
// api/exports/*.txt and the argument shapes from api/exports/*.shapes, joined
// into a table at build time. An export without shapes (or shapes without an
// export) is in the table too, so that the suite can fail it by name.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "shapes.h"

namespace qlrel {

// Calls `function` with `args` cast to the export's own parameter types,
// through its own PFN_ type; returns the result widened (a handle as its
// value).
using Thunk = uint64_t (*)(void* function, const uintptr_t* args);

struct ExportEntry {
    std::string name;
    bool listed = false;     // in api/exports/*.txt
    bool described = false;  // in api/exports/*.shapes
    Result result = Result::value;
    std::vector<Shape> shapes;
    // The arguments the export requires (indices into shapes): null there
    // answers 0 and sends nothing to the driver.
    std::vector<size_t> required;
    Thunk call = nullptr;
};

const std::vector<ExportEntry>& Exports();

// An empty text, or what is wrong with the entry's shapes: a buffer not
// followed by its length, a count_inout not after its sockaddr_array.
std::string ShapeProblem(const ExportEntry& entry);

}  // namespace qlrel
