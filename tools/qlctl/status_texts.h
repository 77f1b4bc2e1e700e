// The client's condition in the library's words: the status text and the
// text of a disconnect reason, both in the language the library would use.
#pragma once

#include <cstdint>
#include <string>

namespace qlctl {

class ClientLibrary;

// QuorlanGetConnectionStateString's text as UTF-8, with its line breaks
// (CR LF) as they are. False when the library cannot be loaded, lacks the
// export or does not give a whole text.
bool ConnectionStatusText(ClientLibrary& library, std::string& text);

// The text of reason `code` (string 34000+code) from the string table the
// library would compose a status text from: its language module's, or its
// own. Empty when the code has none.
std::string ReasonText(ClientLibrary& library, uint32_t code);

// The text with CR LF line ends as the console and scripts want them: LF.
std::string WithNewlines(const std::string& text);

}  // namespace qlctl
