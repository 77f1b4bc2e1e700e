// The commands the library sends to the diagnostics service: flat objects
// whose members are all strings, written on the wire in ascending order of
// their names ("memo", "source", "type"; "key", "type", "value";
// "exactFilter", "type", "wildcardFilter").
#pragma once

#include <string>

#include "diag/diag_source.h"
#include "diag/json_value.h"

namespace qlclapi {

namespace command {
constexpr char kStartReport[] = "startReport";
constexpr char kStartBandwidth[] = "startBandwidth";
constexpr char kCustomEvent[] = "customEvent";
constexpr char kAbortReport[] = "abortReport";
constexpr char kAbortBandwidth[] = "abortBandwidth";
constexpr char kShowReport[] = "showReport";
constexpr char kClearLogs[] = "clearLogs";
constexpr char kState[] = "state";
}  // namespace command

// The texts are UTF-8. They are moved into the value and what is left of
// them wiped, so that the value holds the only copy of a caller's converted
// text; WipeStrings clears that.
JsonValue MakeStartRequest(const char* type, DiagSource source, std::string& memo);
// "value" only when hasValue is set (an empty value is still sent).
JsonValue MakeCustomEvent(std::string& key, std::string& value, bool hasValue);
JsonValue MakeTypeOnly(const char* type);
JsonValue MakeStateQuery(std::string wildcardFilter, std::string exactFilter);

// Overwrites the characters of the string, its spare capacity included,
// with writes the compiler keeps.
void WipeString(std::string& text) noexcept;
// The same for a string value and for the string members of a flat
// object or array (the commands are flat).
void WipeStrings(JsonValue& value) noexcept;

}  // namespace qlclapi
