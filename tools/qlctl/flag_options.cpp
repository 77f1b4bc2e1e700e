#include "flag_options.h"

#include "output.h"

namespace qlctl {

bool FlagOptions::read(const Words& words, Arguments& arguments, std::wstring& text, uint32_t& bits,
                       std::string& problem) const {
    std::vector<KnownOption> known = {{L"--json", false}};
    for (const FlagOption& option : options) known.push_back({option.name, false});
    if (!arguments.parse(words, known, problem)) return false;
    if (arguments.positionals().size() != 1) {
        problem = "takes one address text";
        return false;
    }
    text = arguments.positionals()[0];
    for (const FlagConflict& conflict : conflicts) {
        if (arguments.has(conflict.first) && arguments.has(conflict.second)) {
            problem = Utf8(conflict.first) + " and " + Utf8(conflict.second) + " exclude each other";
            return false;
        }
    }
    bits = 0;
    for (const FlagOption& option : options)
        if (arguments.has(option.name)) bits |= option.bit;
    return true;
}

}  // namespace qlctl
