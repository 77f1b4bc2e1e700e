// Lists in the platform's multi-string form: UTF-16 entries, each with its
// terminator, then one more terminator; the empty list is a lone
// terminator. Used for a service's dependency list.
//
// Every operation is bounded by `limit`, the units of the list that lie in
// the caller's memory. A list that reaches its limit before its final
// terminator (written by someone else, and not properly double-terminated)
// is read as though it ended there: an entry cut by the limit counts as
// ending at the limit, and the list ends after it. The sizes and copies
// below describe that repaired list, so what they write is always properly
// terminated. An empty entry ends the list, as it does for the platform.
//
// Names are compared without regard to case, as the C library's wide
// comparison does in the "C" locale: only A-Z and a-z are folded.
#pragma once

#include <cstddef>
#include <cstdint>

namespace qlclapi {

// Size in bytes, final terminator included: 2 for the empty list (and for a
// null list or a limit of 0).
size_t MultiStringSize(const char16_t* list, size_t limit) noexcept;

// True when some entry equals name; false for the empty list and a null or
// empty name.
bool MultiStringContains(const char16_t* list, size_t limit, const char16_t* name) noexcept;

// Writes name and then every entry of list, or, with atEnd, every entry and
// then name; then the final terminator. Returns the bytes written, or 0
// (and writes nothing) when they would not fit in capacity units or name is
// null or empty.
size_t MultiStringJoin(char16_t* destination, size_t capacity, const char16_t* list, size_t limit,
                       const char16_t* name, bool atEnd) noexcept;

// Writes every entry that differs from name, then the final terminator.
// Returns the bytes written with the final terminator, or 0 when no entry
// was written (the destination then holds the empty list when capacity
// allows) or when the result would not fit in capacity units.
size_t MultiStringRemove(char16_t* destination, size_t capacity, const char16_t* list, size_t limit,
                         const char16_t* name) noexcept;

// Compares two terminated names without regard to case (A-Z only).
bool SameNameIgnoringCase(const char16_t* a, const char16_t* b) noexcept;

}  // namespace qlclapi
