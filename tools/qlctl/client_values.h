// How qlctl names the numbers the client gives: connection states, version
// words, disconnect reasons, network types and byte strings.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qlctl {

// The client takes at most this many UTF-16 units of each text it is given
// and cuts longer ones without a word; the tool refuses them instead.
constexpr size_t kMaxTextUnits = 255;

// "idle", "connecting", ... ; "disabled" for any value the client does not define.
const char* StateName(int32_t state);
// major.minor.build of a version word: "12.12.16943".
std::string VersionText(uint32_t word);
// "0x0C0C422F"
std::string HexWord(uint32_t word);
// Whether the word's major.minor is the interface generation this library
// speaks (12.12); the build number does not count.
bool IsOwnGeneration(uint32_t word);
std::string OwnGenerationText();
// The point of presence's network type by what it stands for: the library
// knows only which of the interface's flag bits 0x10 and 0x20 was set, not
// what the bits mean, so neither does qlctl. "flag 0x10" for 3, "flag 0x20"
// for 2, "neither" for 1, "not available" for 0 (the call failed).
std::string NetworkTypeMeaning(uint32_t type);
// Upper-case hexadecimal pairs joined by '-', as the VB twins write
// physical addresses: "00-1A-2B". Empty for no bytes.
std::string HexBytes(const std::vector<uint8_t>& bytes);

}  // namespace qlctl
