// The client key layer: every operation opens one of the client's keys
// below HKEY_LOCAL_MACHINE, does one thing and closes it again. Nothing is
// cached: each call sees the registry as it is at that moment.
//
// Every operation returns a ConfigStatus: 0, or 0x80000000 for any registry
// failure (a key that cannot be opened or created fails at once), or
// 0x80000006 for a null out pointer. subkey, when not null, is a name below
// the selected key.
#pragma once

#include <windows.h>

#include <cstdint>

#include "config/config_status.h"

namespace qlclapi {

// Opens the key with RegOpenKeyW, or with RegCreateKeyW when create is set;
// null on failure. which 3 (current) reads CurrentSubkey from the state key
// first and gives null when that name is missing, empty or longer than 127
// characters. The caller closes the key.
HKEY OpenClientKey(ClientKey which, bool create, const wchar_t* subkey);

// The path OpenClientKey would open, into buffer (capacity in characters,
// cut to fit and always terminated); 0x80000000 when the current key is
// asked for and it has no usable CurrentSubkey.
ConfigStatus GetClientKeyPath(ClientKey which, const wchar_t* subkey, wchar_t* buffer, size_t capacity);

// Reads a 4-byte value; its type is not checked, but a value that is not
// exactly 4 bytes long is refused and *value keeps what it held.
ConfigStatus ReadClientDword(uint32_t* value, const wchar_t* name, const wchar_t* subkey, ClientKey which);
ConfigStatus ReadClientDword(uint32_t* value, const wchar_t* name, ClientKey which);

// Reads at most *units UTF-16 units of a REG_SZ or REG_EXPAND_SZ value
// (not expanded); a value of another type fails as though it were missing,
// with the first unit of the buffer set to 0. *units then holds the byte
// count the registry reported, halved (the stored terminator counted when
// there is one; an odd last byte is not). No terminator is added: callers
// terminate within their buffer. A value larger than the buffer fails with
// *units set to the needed count; a null buffer asks only the size (result
// 0). Needed counts are taken up to whole units. When the key cannot be
// opened *units is left unchanged.
ConfigStatus ReadClientString(wchar_t* buffer, uint32_t* units, const wchar_t* name, const wchar_t* subkey,
                              ClientKey which);

// Reads a chunked binary value (see chunk_chain.h). *bytes is the capacity
// on entry and the chain's total size on return; a null buffer is a size
// query (result 0). A buffer too small for the first piece gives 0x80000000
// with the total in *bytes; one that holds the first piece but not the rest
// gives 0 with *bytes above the capacity, and holds the pieces that fitted.
// When the key cannot be opened *bytes is left unchanged.
ConfigStatus ReadClientBinary(void* buffer, uint32_t* bytes, const wchar_t* name, const wchar_t* subkey,
                              ClientKey which);

// The writers create the key when it is missing.
ConfigStatus WriteClientDword(uint32_t value, const wchar_t* name, const wchar_t* subkey, ClientKey which);
// REG_SZ with its terminator; null writes the empty text.
ConfigStatus WriteClientString(const wchar_t* text, const wchar_t* name, const wchar_t* subkey, ClientKey which);
// A chunked binary value; the first unused piece name is deleted. The
// result is that of the last piece written.
ConfigStatus WriteClientBinary(const void* data, uint32_t bytes, const wchar_t* name, const wchar_t* subkey,
                               ClientKey which);
// Opens the key with the create flag (a missing key is created, then found
// empty) and deletes the value; 0x80000000 when the value did not exist.
ConfigStatus DeleteClientValue(const wchar_t* name, const wchar_t* subkey, ClientKey which);

}  // namespace qlclapi
