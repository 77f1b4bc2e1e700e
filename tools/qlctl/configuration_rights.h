// Why a change of the client's configuration did not take: the library's
// setters answer as the client expects (the server-address setters report
// success even when the registry refused the write), so qlctl reads the
// configuration back and, when the change is not there, asks the registry
// whether this user may change the key at all.
#pragma once

#include <string>

namespace qlctl {

// True when the key below HKEY_LOCAL_MACHINE (or, for a key that does not
// exist yet, the nearest existing key above it) refuses this user the right
// to set values and create subkeys.
bool LacksRightsToChange(const wchar_t* keyPath);

// The message for a setter that failed for lack of rights.
std::string NeedsAdministrator(const std::string& what);

}  // namespace qlctl
