// A JSON request to the diagnostics service and its JSON reply.
#pragma once

#include "diag/json_value.h"

namespace qlclapi {

// Serialises the request compactly, carries it with TransactPipe and parses
// the reply. The null value on any failure: service unreachable, a reply
// that is not exactly one JSON text, nesting beyond kMaxJsonNesting, an
// allocation failure. Never throws. The request text is wiped after use:
// requests carry callers' texts.
JsonValue Exchange(const JsonValue& request) noexcept;

// The same with the texts carried as UTF-16 on the library's side:
// nlohmann keeps strings in UTF-8 whatever the text's width, so the wide
// value is the same type, and what differs is the route of the texts. The
// request is serialised, taken to UTF-16 and back to UTF-8 (a text that
// cannot be converted is sent empty); the reply is taken from UTF-8 to
// UTF-16 (invalid UTF-8 gives the empty text, which is not JSON) and parsed
// from there. No operation of the library needs it.
using WideJsonValue = JsonValue;
WideJsonValue ExchangeWide(const WideJsonValue& request) noexcept;

}  // namespace qlclapi
