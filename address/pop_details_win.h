// The network interface that carries the point of presence, and the details
// record built from it for the caller.
#pragma once

#include <cstddef>
#include <cstdint>

#include "address/interface_table.h"
#include "core/heap_buffer.h"

namespace qlclapi {

// The driver's interface table as one call fetched it; freed with the value.
class InterfaceTableBuffer {
public:

    // Asks the driver with a growing buffer until the answer leaves room to
    // spare (the driver fills a buffer that is too small completely); gives
    // up when even the largest table came back full (see
    // NextInterfaceTableBytes).
    bool fetch();
    void release();
    const uint8_t* bytes() const { return bytes_.data(); }
    size_t returned() const { return returned_; }

private:
    HeapBuffer<uint8_t> bytes_;
    size_t returned_ = 0;
};

// The entry of `table` that holds the point of presence, which is stored in
// *pointOfPresence; null (and the table released) when there is none.
const uint8_t* FindPointOfPresenceInterface(InterfaceTableBuffer* table, DriverAddressRecord* pointOfPresence);

enum class DetailsForm { Plain, Ex };

// Fills what fits of the details record into buffer and returns the size a
// full record needs; 0 without a driver, with one of another version, or
// when no interface carries the point of presence.
uint32_t BuildPointOfPresenceDetails(void* buffer, uint32_t size, DetailsForm form);

// 1, 2 or 3 by the interface's type flags; 0 as above.
uint32_t GetPointOfPresenceNetworkType();

}  // namespace qlclapi
