// JSON values to and from the texts carried over the diagnostics pipe.
#pragma once

#include <cstddef>
#include <string>

#include "diag/json_value.h"

namespace qlclapi {

// Compact JSON (no whitespace), members in the value's (ascending) order.
// Strings are escaped as nlohmann's own dump escapes them ('"', '\\', \b \f
// \n \r \t, other control characters as \u00xx) and their other bytes are
// written as they are, so that a lone low surrogate's three-byte form
// reaches the service as the text conversion wrote it (nlohmann's dump
// would refuse or replace it). The text is allocated once at its final
// size. Throws std::length_error for values nested deeper than
// kMaxJsonNesting, and std::bad_alloc.
std::string SerializeCompact(const JsonValue& value);

// True when arrays and objects in the text nest at most `limit` deep
// (brackets inside strings do not count).
bool NestingWithin(const char* text, size_t length, size_t limit) noexcept;
bool NestingWithin(const char16_t* text, size_t length, size_t limit) noexcept;

// One JSON text, strict: anything but exactly one JSON value (surrounded by
// white space at most), nesting beyond kMaxJsonNesting, or an allocation
// failure gives the null value. Never throws.
JsonValue ParseJsonText(const char* text, size_t length) noexcept;
JsonValue ParseJsonText(const std::string& text) noexcept;
JsonValue ParseJsonText(const std::u16string& text) noexcept;

// True exactly when the reply is an object whose member "status" is the
// string "success", byte for byte.
bool IsSuccessReply(const JsonValue& reply) noexcept;

}  // namespace qlclapi
