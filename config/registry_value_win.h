// Registry value operations on any key, with an explicit registry view: the
// view (0, KEY_WOW64_64KEY or KEY_WOW64_32KEY) is OR-ed into the access
// mask. Each opens its key, acts and closes it. They answer true or false.
#pragma once

#include <windows.h>

#include <cstdint>

namespace qlclapi {

bool RegistryKeyExists(HKEY hive, const wchar_t* subkey, REGSAM view);
// True when the value exists with a data size other than 0.
bool RegistryValueHasData(HKEY hive, const wchar_t* subkey, const wchar_t* name, REGSAM view);
// The value's data size in bytes; 0 when the key or value is missing.
uint32_t RegistryValueSize(HKEY hive, const wchar_t* subkey, const wchar_t* name, REGSAM view);
// True when the whole value was read into buffer. Neither its type nor its
// size is returned and no terminator is added: a caller reading text must
// terminate it within its own buffer. A value larger than the buffer fails.
bool RegistryReadValue(HKEY hive, const wchar_t* subkey, const wchar_t* name, void* buffer, uint32_t bytes,
                       REGSAM view);
// Creates the key when needed and writes the value. REG_SZ with bytes
// 0xFFFFFFFF stores the text and its terminator.
bool RegistryWriteValue(HKEY hive, const wchar_t* subkey, const wchar_t* name, DWORD type, const void* data,
                        uint32_t bytes, REGSAM view);
bool RegistryDeleteValue(HKEY hive, const wchar_t* subkey, const wchar_t* name, REGSAM view);

}  // namespace qlclapi
