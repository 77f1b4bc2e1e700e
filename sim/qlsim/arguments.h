// Argument parsing shared by the qlsim commands.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qlsim {

// A whole decimal or 0x-prefixed hexadecimal number that fits 32 bits.
bool ParseNumber(const std::wstring& text, uint32_t& value);
// The same for 64 bits.
bool ParseNumber64(const std::wstring& text, uint64_t& value);
// A signed decimal number, or an unsigned one as above.
bool ParseSigned(const std::wstring& text, int32_t& value);
// "12.12.16943" (major.minor.build) or a plain number: a driver version word.
bool ParseVersion(const std::wstring& text, uint32_t& value);
// Two hexadecimal digits a byte, "0A1B", each pair optionally followed by
// `separator` (0 for none) before the next one: "0A-1B" with L'-'.
bool ParseHex(const std::wstring& text, std::vector<uint8_t>& bytes, wchar_t separator = 0);
std::string HexBytes(const std::vector<uint8_t>& bytes, const char* separator = "");
std::string Hex32(uint32_t value);
std::string VersionText(uint32_t value);

}  // namespace qlsim
