// The client's registry keys saved before the suite and put back after it:
// every value and subkey, exactly as they were; a key that did not exist is
// removed again.
#pragma once

#include <string>

namespace qlrel {

// Copies aside the keys below HKEY_LOCAL_MACHINE that `listFile` names (one
// a line, '#' comments); returns how many it names.
size_t SaveRegistryKeys(const std::string& listFile);
// Puts every saved key back; false when one of them could not be.
bool RestoreRegistryKeys();

}  // namespace qlrel
