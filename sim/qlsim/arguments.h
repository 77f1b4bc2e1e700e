// The qlsim commands' words: parsed with the command line every tool of the
// project shares, printed back by the helpers below.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/common/command_line.h"

namespace qlsim {

using qltool::ParseHex;
using qltool::ParseNumber;
using qltool::ParseNumber64;
using qltool::ParseSigned;
using qltool::ParseVersion;
std::string HexBytes(const std::vector<uint8_t>& bytes, const char* separator = "");
std::string Hex32(uint32_t value);
std::string VersionText(uint32_t value);

}  // namespace qlsim
