// Argument parsing shared by the qlsim commands.
#pragma once

#include <cstdint>
#include <string>

namespace qlsim {

// A whole decimal or 0x-prefixed hexadecimal number that fits 32 bits.
bool ParseNumber(const std::wstring& text, uint32_t& value);
// A signed decimal number, or an unsigned one as above.
bool ParseSigned(const std::wstring& text, int32_t& value);
// "12.12.16943" (major.minor.build) or a plain number: a driver version word.
bool ParseVersion(const std::wstring& text, uint32_t& value);
std::string Hex32(uint32_t value);
std::string VersionText(uint32_t value);

}  // namespace qlsim
