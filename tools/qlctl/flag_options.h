// The address grammar's flag bits as command-line options, shared by parse
// and format: each option sets one bit.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "command.h"


namespace qlctl {

struct FlagOption {
    const wchar_t* name;  // "--reject-port"
    uint32_t bit;
};

// Two options that contradict each other (reject and require a port; never
// and always write one): a usage error, rather than left to whichever the
// grammar happens to let win.
struct FlagConflict {
    const wchar_t* first;
    const wchar_t* second;
};

struct FlagOptions {
    std::vector<FlagOption> options;
    std::vector<FlagConflict> conflicts;

    // The command's words: TEXT, --json and the flag options. False, with
    // `problem` set, for other words, no TEXT or more than one, or two
    // options that conflict.
    bool read(const Words& words, Arguments& arguments, std::wstring& text, uint32_t& bits,
              std::string& problem) const;
};

}  // namespace qlctl
