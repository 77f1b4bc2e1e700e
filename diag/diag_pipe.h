// The client's diagnostics service listens on one message-mode named pipe:
// each request is one message of compact UTF-8 JSON (no terminator, no
// length prefix) and is answered by one reply message.
#pragma once

#include <cstddef>

namespace qlclapi {

constexpr wchar_t kDiagPipeName[] = L"\\\\.\\pipe\\b8ed9199cdb76e4488e84edcc97630df00da";
// A reply is read in pieces of this size, joined across ERROR_MORE_DATA.
constexpr size_t kDiagReadBytes = 10000;
// How long one wait for a free instance of a busy pipe may last.
constexpr unsigned long kDiagBusyWaitMs = 20000;

}  // namespace qlclapi
