// The options of "qlsim interface add": one interface entry, every field
// checked against the room the driver's entry has for it.
#pragma once

#include <string>

#include "commands.h"
#include "sim_records.h"

namespace qlsim {

extern const char kInterfaceOptionsHelp[];

// False with `why` set (naming the option and the word) on an unknown or
// repeated option, a missing value or --name, or a value that does not fit.
bool ParseInterfaceOptions(const Words& words, SimInterface& entry, std::string& why);

}  // namespace qlsim
