// The status text of one call: a snapshot of what the driver said, and the
// text composed from it and a string table. Portable, so that the natively
// built tests and fuzz targets compose exactly what the library composes.
#pragma once

#include <cstddef>
#include <cstdint>

#include "status/bounded_text.h"
#include "status/details_record.h"
#include "status/string_table.h"

namespace qlclapi {

constexpr int32_t kStatusIdle = 1;
constexpr int32_t kStatusConnecting = 2;
constexpr int32_t kStatusConnected = 3;
constexpr int32_t kStatusServerUnreachable = 4;
constexpr int32_t kStatusDisconnected = 5;
constexpr int32_t kStatusClientNotLoaded = 6;

// The values a call starts from; a query that is skipped or refused leaves
// its field as it is here.
struct ConnectionSnapshot {
    int32_t state = kStatusClientNotLoaded;
    uint32_t connectingPhase = 0;
    uint32_t disconnectReason = 0;
    bool trafficBypassed = false;
    // The details record, asked for only in the connected state; zeros
    // where the driver wrote nothing.
    bool detailsAnswered = false;
    DetailsRecord details = {};
};

constexpr size_t kStatusTextUnits = 1024;
constexpr size_t kDeviceLineUnits = 128;
constexpr size_t kTrafficLineUnits = 132;
constexpr size_t kStatusPartUnits = 512;  // second and third parts of a state's text
using StatusText = BoundedText<kStatusTextUnits>;

void ComposeStatusText(const ConnectionSnapshot& snapshot, const StringTable& strings, StatusText& text);

}  // namespace qlclapi
