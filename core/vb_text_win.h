// The adapters between the plain exports and their Visual Basic twins,
// which take ANSI text and receive ANSI bytes packed into a BSTR.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <cstddef>
#include <cstdint>

#include "core/heap_buffer.h"

namespace qlclapi {

// ANSI text in: an ANSI argument converted to UTF-16 for the plain logic.
// Null in gives null out (the plain logic then treats the text as absent),
// as does a failed allocation or conversion. The converted text is wiped
// and released when the argument goes out of scope, on every path.
class AnsiArgument {
public:
    explicit AnsiArgument(const char* ansi);
    const wchar_t* text() const { return text_.data(); }

private:
    HeapBuffer<wchar_t> text_;
};

// ANSI BSTR out: converts a terminated UTF-16 text to the ANSI code page and
// reallocates *target to hold those bytes two to a UTF-16 unit (an odd
// count leaves a zero high byte in the last unit). 1 on success; 0 with
// *target left as it was when the conversion or an allocation fails.
uint32_t StoreAnsiInBstr(BSTR* target, const wchar_t* text);

// Bytes as upper-case hex pairs joined by "-" ("00-1A-2B"; no bytes give
// the empty text), stored like StoreAnsiInBstr stores text.
uint32_t BytesToHexBstr(BSTR* target, const uint8_t* bytes, size_t count);

// Bytes packed two to a unit as they are, as StoreAnsiInBstr packs text; the
// last unit of an odd count is read whole, so bytes must hold count + 1
// bytes then. 1 when the reallocation succeeded.
uint32_t StoreBytesInBstr(BSTR* target, const uint8_t* bytes, size_t count);

// Text of varying length out: asks plain for the size with a null buffer,
// fetches the text into a buffer of that size and stores it with
// StoreAnsiInBstr. 0 when the size is 0 or the fetch fails.
using VaryingTextCall = uint32_t (*)(wchar_t* buffer, uint32_t* lengthInBytes);
uint32_t StoreVaryingTextInBstr(BSTR* target, VaryingTextCall plain);

}  // namespace qlclapi
