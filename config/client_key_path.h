// Paths of the client's registry keys below HKEY_LOCAL_MACHINE, built in a
// fixed buffer of 256 UTF-16 units. Text that does not fit is cut at 255
// characters and the path is used as cut: a too long subkey then opens a
// key that does not exist rather than failing the caller differently.
#pragma once

#include <cstddef>
#include <cstdint>

#include "config/config_status.h"

namespace qlclapi {

constexpr size_t kClientKeyPathUnits = 256;
constexpr char16_t kClientParamsPath[] = u"SYSTEM\\CurrentControlSet\\Services\\QLDRV\\Params\\Vorantis Client";
constexpr char16_t kClientStatePath[] =
    u"SYSTEM\\CurrentControlSet\\Services\\QLDRV\\Params\\Vorantis Client State";
constexpr char16_t kCurrentSubkeyValue[] = u"CurrentSubkey";

// CurrentSubkey is read with a 256-byte buffer: at most 127 characters and
// a terminator.
constexpr size_t kCurrentSubkeyUnits = 128;

// Appends text to the terminated text in buffer, writing at most
// capacity - 1 characters in all and always a terminator (capacity > 0).
// False when the text had to be cut.
bool AppendBounded(char16_t* buffer, size_t capacity, const char16_t* text) noexcept;

// The name held by CurrentSubkey, given the bytes the registry returned for
// it (type already checked to be a string): terminated into name, or false
// when it is empty, shorter than the two units the client requires, or
// longer than 127 characters. Reads only storedBytes bytes of stored.
bool CurrentSubkeyName(const char16_t* stored, uint32_t storedBytes,
                       char16_t (&name)[kCurrentSubkeyUnits]) noexcept;

// The path of a client key: the parameters path for which 1, else the state
// path; for which 3 a backslash and currentName (which the caller has
// validated); then, when subkey is given, a backslash and the subkey.
void BuildClientKeyPath(ClientKey which, const char16_t* currentName, const char16_t* subkey,
                        char16_t (&path)[kClientKeyPathUnits]) noexcept;

}  // namespace qlclapi
