// How qlctl names the numbers the client gives: connection states, version
// words and disconnect reasons.
#pragma once

#include <cstdint>
#include <string>

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
// The text of a disconnect reason code. Empty for now: the library does not
// offer reason texts yet. When it does, look the text up here and `reason`
// prints it beside the number.
std::string ReasonText(uint32_t code);

}  // namespace qlctl
