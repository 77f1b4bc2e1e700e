// Text to the standard streams. A console gets UTF-16 (so any character
// shows as typed); a file or pipe gets UTF-8 bytes, written straight
// through so that `watch` lines reach a reader at once.
#pragma once

#include <string>

namespace qlctl {

// False when the stream is closed or the write failed.
bool WriteOut(const std::string& utf8);
bool WriteErr(const std::string& utf8);

}  // namespace qlctl
