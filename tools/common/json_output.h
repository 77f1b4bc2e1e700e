// The tools' JSON output (qlctl --json, qlsim's show --json): flat objects
// written by nlohmann-json, compact, on one line, with members in ascending
// order of their names whatever order they were added in.
#pragma once

#include <cstdint>
#include <string>

#include <nlohmann/json.hpp>

namespace qltool {

class JsonObject {
public:
    // Distinct names, not overloads: a string literal would pick the bool one.
    JsonObject& addString(const std::string& name, const std::string& utf8);
    JsonObject& addNumber(const std::string& name, int64_t value);
    // For 64-bit values the client passes through, which may not fit int64_t.
    JsonObject& addUnsigned(const std::string& name, uint64_t value);
    JsonObject& addBool(const std::string& name, bool value);
    // For a value the client does not have: the member stays, so that a
    // command's object has the same members in every answer.
    JsonObject& addNull(const std::string& name);
    // Compact, on one line, without the line end.
    std::string text() const;

private:
    nlohmann::json members_ = nlohmann::json::object();
};

// `utf8` as a quoted JSON string (bytes that are not UTF-8 become U+FFFD).
std::string JsonString(const std::string& utf8);

}  // namespace qltool
