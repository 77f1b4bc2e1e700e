// Splitting a command's words into options and positional words.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "command.h"

namespace qlctl {

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

}  // namespace qlctl
