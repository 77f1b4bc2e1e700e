// The JSON value of the diagnostics messages: nlohmann's json, whose
// objects keep their members in a std::map, so they are always in
// ascending byte order of their names, as the client's service expects them
// on the wire. The null value stands for the absence of a usable reply.
#pragma once

#include <nlohmann/json_fwd.hpp>

namespace qlclapi {

using JsonValue = nlohmann::json;

// How deep arrays and objects may nest in a text the library parses or
// writes. The service's messages are flat; the bound keeps a hostile reply
// from exhausting the stack in the recursive parts of the JSON library
// (serialisation, copies, comparison).
constexpr size_t kMaxJsonNesting = 128;

}  // namespace qlclapi
