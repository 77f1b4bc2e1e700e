// Texts from the command line or from the driver's table shown safely: as a
// JSON string literal, in plain ASCII, so that no name can end a line, move
// the cursor or depend on the console's code page.
#pragma once

#include <string>

namespace qlsim {

std::string Quoted(const std::u16string& text);
std::string Quoted(const std::wstring& text);

}  // namespace qlsim
