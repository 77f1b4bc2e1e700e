// The argument shapes the reliability suite knows, and the compile-time
// check that an export's shapes (api/exports/*.shapes) agree with the
// parameter types its PFN_ type in qlclapi.h declares.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

struct _OVERLAPPED;

namespace qlrel {

// Named as they are written in the .shapes files.
enum class Shape {
    u32_in,          // a number (flags, a choice, an unused word)
    u16_in,          // a 16-bit number (a port)
    u32_out,         // pointer to a 32-bit value the call stores
    u16_out,         // pointer to a 16-bit value the call stores
    u64_out,         // pointer to a 64-bit value the call stores
    sockaddr_out,    // 28-byte buffer for a SOCKADDR_IN or SOCKADDR_IN6
    sockaddr_array,  // buffer of count_inout socket addresses of 28 bytes; followed by count_inout
    count_inout,     // pointer to the capacity of the preceding sockaddr_array, in addresses
    sockaddr_in,     // pointer to a SOCKADDR_IN or SOCKADDR_IN6 the call reads
    buffer,          // caller buffer of bytes; followed by bytes_in or bytes_inout
    wbuffer,         // caller buffer of UTF-16 text; followed by bytes_in or bytes_inout
    bytes_in,        // the size in bytes of the preceding buffer, by value
    bytes_inout,     // pointer to the size in bytes of the preceding buffer (null buffer: size query)
    bstr_out,        // pointer to the caller's BSTR, which the call reallocates
    wtext_in,        // terminated UTF-16 text, may be null
    atext_in,        // terminated ANSI text, may be null
    overlapped,      // OVERLAPPED the call hands to the driver; a non-zero result: the request is pending
};

enum class Result {
    value,   // a number
    handle,  // a handle the caller closes
};

// Whether parameter type P can carry shape S.
template <typename P>
using Pointee = std::remove_cv_t<std::remove_pointer_t<P>>;
template <typename P>
constexpr bool IsInteger(size_t bytes) {
    if constexpr (std::is_integral_v<P>) return sizeof(P) == bytes;
    return false;
}
// A pointer to integers of `bytes` each: a text, or an out value.
template <typename P>
constexpr bool PointsTo(size_t bytes) {
    if constexpr (std::is_pointer_v<P>) return IsInteger<Pointee<P>>(bytes);
    return false;
}
template <typename P>
constexpr bool IsWritablePointer() {
    return std::is_pointer_v<P> && !std::is_const_v<std::remove_pointer_t<P>>;
}

template <Shape S, typename P>
constexpr bool Carries() {
    switch (S) {
    case Shape::u32_in:
    case Shape::bytes_in: return IsInteger<P>(4);
    case Shape::u16_in: return IsInteger<P>(2);
    case Shape::u32_out:
    case Shape::count_inout:
    case Shape::bytes_inout: return IsWritablePointer<P>() && PointsTo<P>(4);
    case Shape::u16_out: return IsWritablePointer<P>() && PointsTo<P>(2);
    case Shape::u64_out: return IsWritablePointer<P>() && PointsTo<P>(8);
    case Shape::sockaddr_out:
    case Shape::sockaddr_array:
    case Shape::buffer: return IsWritablePointer<P>();
    case Shape::wbuffer: return IsWritablePointer<P>() && PointsTo<P>(2);
    case Shape::sockaddr_in: return std::is_pointer_v<P>;
    case Shape::bstr_out: return IsWritablePointer<P>() && PointsTo<Pointee<P>>(2);
    case Shape::wtext_in: return PointsTo<P>(2);
    case Shape::atext_in: return PointsTo<P>(1);
    case Shape::overlapped: return std::is_same_v<P, struct _OVERLAPPED*>;
    }
    return false;
}

template <Result R, typename T>
constexpr bool Returns() {
    return R == Result::handle ? std::is_pointer_v<T> : std::is_integral_v<T> && sizeof(T) <= 4;
}

}  // namespace qlrel
