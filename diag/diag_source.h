// Who asked for a report or a bandwidth test. Every request made through an
// export carries kSourceApi; kSourcePolicy is the only source that skips
// the gate of the diagnostics settings.
#pragma once

#include <cstdint>
#include <string>

namespace qlclapi {

using DiagSource = int32_t;
constexpr DiagSource kSourceUnknown = 0;  // ""
constexpr DiagSource kSourceButton = 1;   // "button"
constexpr DiagSource kSourceApi = 2;      // "API"
constexpr DiagSource kSourceScheduled = 3;  // "scheduled"
constexpr DiagSource kSourcePolicy = 4;   // "policy"

// The source's name; a value not in the table gives the unknown source's
// empty name.
const char* SourceName(DiagSource source) noexcept;
// Exact, case-sensitive; a name not in the table gives kSourceUnknown.
DiagSource SourceFromName(const std::string& name) noexcept;

}  // namespace qlclapi
