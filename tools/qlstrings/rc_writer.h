// A string table as a resource script for windres: one STRINGTABLE in the
// given language. Only printable ASCII is written as it stands; quotes
// double, and everything else (non-ASCII, control characters, '?', which
// the preprocessor could read as part of a trigraph) becomes a \xHHHH
// escape of its UTF-16 unit, which windres reads as exactly four digits.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "resources/strings/string_source.h"

namespace qlstrings {

// Entries with an empty text are left out: a string table cannot tell an
// empty text from a missing one.
std::string ResourceScript(const std::vector<StringEntry>& entries, uint16_t languageId, const std::string& origin);
std::string ResourceStringLiteral(const std::u16string& text);

}  // namespace qlstrings
