// One request to the diagnostics service and its reply, over a connection
// of their own.
#pragma once

#include <string>

namespace qlclapi {

// Opens the pipe (waiting up to 20 s for a free instance each time every
// instance is busy), sets message read mode, writes the request with one
// write and reads the reply message. Empty when the service cannot be
// reached or the exchange fails before any reply byte; the bytes read so
// far when a read fails part-way. Blocks the caller; only allocation
// failures throw, and the handle is closed on every path.
std::string TransactPipe(const std::string& request);

}  // namespace qlclapi
