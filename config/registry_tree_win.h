// Copying, deleting and moving whole registry trees, within one registry
// view or across the two (KEY_WOW64_32KEY 0x200, KEY_WOW64_64KEY 0x100, or
// 0 for the caller's own). No export uses them; they belong to the client
// key layer. Each answers true or false and closes every key it opened.
#pragma once

#include <windows.h>

#include <cstdint>

#include "core/heap_buffer.h"

namespace qlclapi {

// The discretionary access control list of a key, as RegGetKeySecurity
// gives it, in a new buffer of kKeySecurityBytes (1044 bytes); empty when it
// could not be read.
constexpr DWORD kKeySecurityBytes = 1044;
HeapBuffer<uint8_t> ReadKeySecurity(HKEY key);

// Copies every value of source into destination in enumeration order, with
// its type. Names of up to 128 characters and data of up to 2048 bytes are
// copied; the first value that does not fit ends the copying without
// failing it. True when every write succeeded (an empty source gives true).
bool CopyRegistryValues(HKEY source, HKEY destination);
// Copies every subkey of source below destination with CopyRegistryTree.
// True when every copy succeeded.
bool CopyRegistrySubkeys(HKEY source, HKEY destination, REGSAM sourceView, REGSAM destinationView);

// Opens sourceParent\sourceSubkey (KEY_ALL_ACCESS and the source view),
// creates destinationParent\destinationSubkey (KEY_WRITE and the
// destination view) with the access control list of sourceParent (default
// security when it cannot be read), then copies the values and, by
// recursion, the subkeys. True only when every value write and every
// recursive copy succeeded.
bool CopyRegistryTree(HKEY sourceParent, const wchar_t* sourceSubkey, HKEY destinationParent,
                      const wchar_t* destinationSubkey, REGSAM sourceView, REGSAM destinationView);

// Deletes hive\subkey and everything below it. A subkey that cannot be
// deleted, or whose path would be longer than 1024 characters, stops the
// deletion at once with false: the tree is left as it then stands, never
// retried and never cut to a path that might name another key.
bool DeleteRegistryTree(HKEY hive, const wchar_t* subkey, REGSAM view);

// CopyRegistryTree of hive\subkey to hive\destinationSubkey and, only when
// that succeeded, DeleteRegistryTree of the source.
bool MoveRegistryTree(HKEY hive, const wchar_t* subkey, const wchar_t* destinationSubkey, REGSAM sourceView,
                      REGSAM destinationView);

// Copies an HKEY_LOCAL_MACHINE subkey onto the same path in the other view:
// direction 1 from the 32-bit view to the 64-bit view, any other the reverse.
bool CopyKeyAcrossViews(const wchar_t* subkey, uint32_t direction);

}  // namespace qlclapi
