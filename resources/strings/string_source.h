// The source of a string table: the texts a translator edits, one per line,
// as `ID "TEXT"` (see en-US.txt for the rules). Read by the build's string
// tool, which turns it into a resource script, and by the tests and fuzz
// targets, which compose status texts from it without Windows.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qlstrings {

struct StringEntry {
    uint16_t id = 0;
    std::u16string text;
};

struct StringSource {
    std::vector<StringEntry> entries;  // in the order of the source
    std::string error;                 // "line N: why"; empty when the whole source was read
};

// Ids from 1 to 65535, each at most once; texts in UTF-8 within double
// quotes, with \" \\ \n \r \t as escapes. The first fault stops the reading.
StringSource ParseStringSource(const std::string& utf8);
StringSource ReadStringSourceFile(const std::string& path);

// The entries as a source that ParseStringSource reads back unchanged.
std::string FormatStringSource(const std::vector<StringEntry>& entries, const std::string& heading);

std::string ToUtf8(const std::u16string& text);

}  // namespace qlstrings
