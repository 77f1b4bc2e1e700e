// Enumerating the values or the subkeys of a client key, one per call. The
// first call (iterator null) opens the key and allocates the iterator,
// which the caller hands back on every later call; the call that reaches
// the end, or fails in any way, closes the key, frees the iterator, sets it
// to null and returns 0x80000000. A caller that stops early calls
// CloseClientKeyIterator.
#pragma once

#include <windows.h>

#include <cstdint>

#include "config/config_status.h"

namespace qlclapi {

struct ClientKeyIterator {
    HKEY key;
    uint32_t index;  // of the next value or subkey, from 0
};

// *nameUnits: room for the name in units, terminator included, on entry;
// the name's length without its terminator on return. *dataBytes: room for
// the data on entry, the data's size on return. The value's type is not
// returned. A name or data that does not fit ends the enumeration.
ConfigStatus EnumClientValues(wchar_t* name, uint32_t* nameUnits, void* data, uint32_t* dataBytes,
                              ClientKeyIterator** iterator, const wchar_t* subkey, ClientKey which);
// *nameUnits as for EnumClientValues.
ConfigStatus EnumClientSubkeys(wchar_t* name, uint32_t* nameUnits, ClientKeyIterator** iterator,
                               const wchar_t* subkey, ClientKey which);

// Ends an enumeration before its end; null and an already ended one are fine.
void CloseClientKeyIterator(ClientKeyIterator** iterator);

}  // namespace qlclapi
