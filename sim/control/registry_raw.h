// Registry values exactly as stored, through the native calls: the Win32
// string calls add a terminator to a REG_SZ value that lacks one (Wine's
// when writing, both when reading), and the client's registry can hold
// strings without one, which the tools write and the tests read back.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace qlsim {

// Writes `bytes` bytes of data as they are; false on any failure.
bool SetRawValue(HKEY key, const wchar_t* name, DWORD type, const void* data, DWORD bytes);
// The stored bytes and type; false when the value cannot be read.
bool GetRawValue(HKEY key, const wchar_t* name, std::vector<uint8_t>& data, DWORD* type = nullptr);

}  // namespace qlsim
