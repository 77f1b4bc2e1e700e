// What a command prints about one thing, built once and shown either way:
// "label: value" lines for a person, or one JSON object for a script.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "command.h"


namespace qlctl {

class Report {
public:
    // An empty value shows as "(empty)" to a person and as "" in JSON.
    Report& text(const char* name, const char* label, const std::string& utf8);
    // An empty value means there is none: "none" to a person, null in JSON.
    Report& optionalText(const char* name, const char* label, const std::string& utf8);
    Report& number(const char* name, const char* label, uint64_t value);
    // "3 (flag 0x10)" to a person; in JSON `name` holds the number and
    // `wordName` the word.
    Report& numberWithWord(const char* name, const char* label, uint64_t value, const char* wordName,
                           const std::string& word);

    // Without the last line end. Control characters in the values (they may
    // come from the client) are shown as '?' on the lines for a person,
    // where a terminal would act on them; JSON escapes them.
    std::string render(bool json) const;

private:
    Report& line(const char* label, const std::string& utf8);

    JsonObject json_;
    std::vector<std::pair<std::string, std::string>> lines_;  // label, value
};

}  // namespace qlctl
