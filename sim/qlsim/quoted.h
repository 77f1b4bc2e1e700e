// Texts from the command line or from the driver's table shown safely: as a
// JSON string literal, in plain ASCII, so that no name can end a line, move
// the cursor or depend on the console's code page.
#pragma once

#include <cstddef>
#include <string>

namespace qlsim {

std::string Quoted(const std::u16string& text);
// A word from the command line; in a message cut after `most` units, so that
// a 30000-character argument does not bury what is wrong with it.
std::string Quoted(const std::wstring& text, size_t most = std::wstring::npos);

}  // namespace qlsim
