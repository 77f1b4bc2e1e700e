// The point-of-presence details for Visual Basic callers. Each out pointer
// may be null (that output is skipped); texts and byte strings go into the
// caller's BSTRs as ANSI bytes, byte strings as hexadecimal text
// ("00-1A-2B"). Both answer the total size of the details record, or 0 when
// there are none or a conversion failed (outputs stored before it stay).
#pragma once

#include <cstdint>

#include "include/qlclapi.h"

namespace qlclapi {

// The plain record's numbers and parts, built in a buffer of the call's own.
uint32_t GetPointOfPresenceDetailsValues(QlUInt32* address, QlUInt32* interfaceValue1, QlUInt32* interfaceValue2Low,
                                         QlUInt32* interfaceValue3Low, QlBstr* physicalAddress, QlBstr* name,
                                         QlBstr* secondText, QlBstr* trailingBytes);
// The Ex record: the address as text (as a socket address shows it), the
// 64-bit values whole. When the interface grew between the size query and
// the fetch, the new total comes back with nothing filled.
uint32_t GetPointOfPresenceDetailsExValues(QlBstr* address, QlUInt32* interfaceValue1, QlUInt64* interfaceValue2,
                                           QlUInt64* interfaceValue3, QlBstr* physicalAddress, QlBstr* name,
                                           QlBstr* secondText, QlBstr* trailingBytes);

}  // namespace qlclapi
