// The pseudo-locale: every text of a string table bracketed, its letters
// accented and padded to be longer by a given share, so that a tester sees
// at once which texts came from a language module, where a text is cut,
// and which layouts break on longer translations. Format directives (%s,
// %%) stay as they are. The accented letters all lie in Latin-1, so the
// texts survive the ANSI conversion of the Visual Basic twins.
#pragma once

#include <string>
#include <vector>

#include "resources/strings/string_source.h"

namespace qlstrings {

// `percent` longer, counting the brackets: 40 makes a 30-unit text 42 units.
std::u16string PseudoText(const std::u16string& text, unsigned percent);
std::vector<StringEntry> PseudoLocalize(const std::vector<StringEntry>& entries, unsigned percent);

}  // namespace qlstrings
