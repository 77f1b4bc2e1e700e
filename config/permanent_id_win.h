// The client's permanent identifier: the chunked binary value PID of the
// client state key, which the library reads but never writes there.
#pragma once

#include <cstdint>

#include "config/config_status.h"

namespace qlclapi {

constexpr wchar_t kPermanentIdValue[] = L"PID";
// The size the library reserves and reports for the identifier.
constexpr uint32_t kPermanentIdBytes = 32;
constexpr wchar_t kServiceStateKeyParent[] = L"SYSTEM\\CurrentControlSet\\Services\\Quorlan";
constexpr wchar_t kServiceStateKey[] = L"SYSTEM\\CurrentControlSet\\Services\\Quorlan\\Vorantis Client State";

// QuorlanGetPermanentID: see the export's comment in qlclapi.h.
uint32_t GetPermanentId(void* buffer, uint32_t* length);
// Its Visual Basic twin: the identifier's bytes two to a unit in *text (an
// odd count leaves a zero high byte in the last unit). An identifier that
// cannot be read, or one longer than the 32 bytes the library reserves,
// leaves the caller's string as it was (0): handing out its first 32 bytes
// would name another client.
uint32_t GetPermanentIdPacked(wchar_t** text);

// The identifier whole into id: 0x80000000 when it cannot be read,
// 0x80000007 when it is longer than 32 bytes (a cut identifier would be
// some other client's).
ConfigStatus ReadWholePermanentId(uint8_t (&id)[kPermanentIdBytes], uint32_t* bytes);

// Copies PID from the client state key to the service state key (both keys
// created when missing) as one REG_BINARY value. 0x80000000 when it cannot
// be read or written, 0x80000007 when it is longer than 32 bytes.
ConfigStatus CopyPermanentId();

}  // namespace qlclapi
