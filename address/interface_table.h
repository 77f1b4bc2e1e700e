// The driver's table of network interfaces (answer to request 0x2224BF) and
// the search for the interface that carries the point of presence.
//
// The table is driver data and is read as hostile: every count and length in
// it is bounded by the bytes the driver actually returned and by the size of
// the field it describes, never taken on trust. Portable: no platform headers.
#pragma once

#include <cstddef>
#include <cstdint>

#include "address/sil_address.h"

namespace InterfaceTableLayout {
constexpr size_t kHeaderBytes = 8;  // i32 entry count, 4 bytes unused
constexpr size_t kEntryBytes = 5232;
// Offsets inside one entry.
constexpr size_t kValue4 = 4;                 // u32
constexpr size_t kValue16 = 16;               // u64
constexpr size_t kFlags = 28;                 // u32: 0x10 and 0x20 give the network type
constexpr size_t kName = 32;                  // UTF-16, up to 514 units
constexpr size_t kNameUnits = 514;
constexpr size_t kPhysicalLength = 1060;      // u8
constexpr size_t kPhysical = 1061;
constexpr size_t kPhysicalMax = 1080 - 1061;  // the bytes before the slot count
constexpr size_t kSlotCount = 1080;           // i32
constexpr size_t kSlots = 1084;               // slots of 48 bytes, a DriverAddressRecord first
constexpr size_t kSlotBytes = 48;
constexpr size_t kSlotMax = (5112 - 1084) / 48;  // whole slots before the next field: 83
constexpr size_t kValue5112 = 5112;           // u64
constexpr size_t kSecondTextLength = 5140;    // u32, in units, without terminator
constexpr size_t kSecondText = 5144;
constexpr size_t kSecondTextMaxUnits = 34;
constexpr size_t kTrailingLength = 5212;      // u32
constexpr size_t kTrailing = 5216;
constexpr size_t kTrailingMax = 16;
}  // namespace InterfaceTableLayout

// The first request is sized for 16 interfaces; a table that fills it is
// asked for again with room for 8 more.
constexpr size_t kInterfaceTableFirstBytes = InterfaceTableLayout::kHeaderBytes + 16 * InterfaceTableLayout::kEntryBytes;
constexpr size_t kInterfaceTableGrowthBytes = 8 * InterfaceTableLayout::kEntryBytes;
static_assert(kInterfaceTableFirstBytes == 83720, "first interface table request");
static_assert(kInterfaceTableGrowthBytes == 41856, "interface table growth");

// The largest table the library asks for: room for 801 interfaces in 4 MiB.
constexpr size_t kInterfaceTableMaxBytes = 4u << 20;

// The buffer size to offer after a request of `bytes` came back full, or 0
// once the largest table has been asked for. After the first growth by 8
// entries, the room for entries doubles, up to the largest table: a driver
// that claims to fill every buffer is asked at most 8 times (about 12 MB in
// all) rather than 99 times (about 200 MB), while every table up to 801
// interfaces is still read whole, a large one in a few requests.
size_t NextInterfaceTableBytes(size_t bytes) noexcept;

// Everything the library reports of one interface entry, with each length
// already cut to its field. Both texts are terminated.
struct InterfaceDetails {
    uint32_t value4;
    uint64_t value16;
    uint32_t flags;
    uint64_t value5112;
    char16_t name[InterfaceTableLayout::kNameUnits];
    size_t nameUnits;  // before the terminator; at most 513 (see ReadInterfaceDetails)
    uint8_t physical[InterfaceTableLayout::kPhysicalMax];
    size_t physicalLength;
    char16_t secondText[InterfaceTableLayout::kSecondTextMaxUnits + 1];
    size_t secondTextUnits;
    uint8_t trailing[InterfaceTableLayout::kTrailingMax];
    size_t trailingLength;
};

// Whether the driver's point-of-presence record names an address at all: not
// for family 0, an IPv4 address 0, or an IPv6 address and scope id all zero.
bool IsUsablePointOfPresence(const DriverAddressRecord* pointOfPresence) noexcept;

// The entries present: the table's count, but never more whole entries than
// `returned` bytes hold; 0 for a count of 0 or below or a short header.
size_t InterfaceEntriesPresent(const uint8_t* table, size_t returned) noexcept;

// The first entry (in table order, and within it the first address slot)
// whose slot holds the point of presence: same family and, for IPv4, the
// same four address bytes, for IPv6 the same sixteen bytes and scope id.
// Ports are not compared. Null when no entry matches.
const uint8_t* FindInterfaceHolding(const uint8_t* table, size_t returned,
                                    const DriverAddressRecord* pointOfPresence) noexcept;

// Reads one entry of a table found above. The name ends at its terminator;
// a name filling all 514 units without one is cut to 513 so that a
// terminator always fits in the same room. The physical address, second
// text and trailing bytes are cut to their fields when their lengths claim
// more.
void ReadInterfaceDetails(const uint8_t* entry, InterfaceDetails* details) noexcept;

// 3 when flag 0x10 is set, else 2 when flag 0x20 is set, else 1.
uint32_t NetworkTypeOfFlags(uint32_t flags) noexcept;
