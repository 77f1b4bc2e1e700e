// Strict whole-text conversions between UTF-16 and UTF-8 for the
// diagnostics messages and the number settings.
//
// UTF-16 to UTF-8: a surrogate pair becomes one four-byte sequence; a high
// surrogate not followed by a low one fails the whole conversion; a low
// surrogate standing alone is written in its three-byte form (ED B0..BF xx),
// which is what the client's service expects from a text cut in the middle
// of a pair. Every other unit takes its standard form of one to three bytes.
//
// UTF-8 to UTF-16: only well-formed UTF-8 converts: no stray or missing
// continuation bytes, no overlong forms, no surrogate code points, neither
// U+FFFE nor U+FFFF, nothing above U+10FFFF. Anything else fails.
//
// Failed conversions give the empty text. The output is allocated once at
// its final size, so that no copy of a converted text is left behind in a
// released buffer; callers that carry a caller's text wipe the result.
#pragma once

#include <cstddef>
#include <string>

namespace qlclapi {

constexpr size_t kNotConvertible = size_t(-1);
// The byte count of the UTF-8 form, or kNotConvertible for a high surrogate
// without its partner.
size_t Utf8Length(const char16_t* text, size_t units) noexcept;
// Writes the UTF-8 form into out, which has room for Utf8Length bytes.
void WriteUtf8(const char16_t* text, size_t units, char* out) noexcept;

// False (and `out` left empty) for a high surrogate without its partner.
bool ConvertToUtf8(const char16_t* text, size_t units, std::string& out);
std::string ToUtf8(const char16_t* text, size_t units);
std::string ToUtf8(const std::u16string& text);

bool ConvertFromUtf8(const char* bytes, size_t length, std::u16string& out);
std::u16string FromUtf8(const char* bytes, size_t length);
std::u16string FromUtf8(const std::string& text);

}  // namespace qlclapi
