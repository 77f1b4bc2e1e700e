// The command line of the project's tools (qlctl and qlsim): options and
// positional words, and the numbers, versions and byte strings they take.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace qltool {

using Words = std::vector<std::wstring>;

struct KnownOption {
    const wchar_t* name;  // "--user"
    bool takesValue;      // "--user NAME" or "--user=NAME"
};

class Arguments {
public:
    // False, with `problem` set, on an unknown option, a missing value or an
    // option given twice. "--" ends the options. `problem` never quotes an
    // option's value: it may be a secret typed in the wrong place.
    bool parse(const Words& words, const std::vector<KnownOption>& known, std::string& problem);

    bool has(const wchar_t* name) const { return options_.count(name) != 0; }
    // The option's value, or null when it was not given.
    const std::wstring* value(const wchar_t* name) const;
    const Words& positionals() const { return positionals_; }

private:
    std::map<std::wstring, std::wstring> options_;
    Words positionals_;
};

// --help, -h, -? or /?
bool IsHelpWord(const std::wstring& word);
// True when a word before any "--" asks for help.
bool WantsHelp(const Words& words);

// A whole decimal number from 1 to 2^32-1, nothing else.
bool ParseCount(const std::wstring& text, uint32_t& value);
// A whole decimal or 0x-prefixed hexadecimal number that fits 64 (32) bits;
// a leading zero is not octal ("010" is ten).
bool ParseNumber64(const std::wstring& text, uint64_t& value);
bool ParseNumber(const std::wstring& text, uint32_t& value);
// A signed decimal number, or an unsigned one as above.
bool ParseSigned(const std::wstring& text, int32_t& value);
// "12.12.16943" (major.minor.build) or a plain number: a driver version word.
bool ParseVersion(const std::wstring& text, uint32_t& value);
// Two hexadecimal digits a byte, "0A1B", each pair optionally followed by
// `separator` (0 for none) before the next one: "0A-1B" with L'-'.
bool ParseHex(const std::wstring& text, std::vector<uint8_t>& bytes, wchar_t separator = 0);

// The UTF-8 form of a UTF-16 text, by the platform's conversion (a lone
// surrogate becomes U+FFFD).
std::string Utf8(const std::wstring& text);

}  // namespace qltool
