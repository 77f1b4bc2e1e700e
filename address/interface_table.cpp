#include "address/interface_table.h"

#include <cstring>

namespace {

namespace L = InterfaceTableLayout;

template <typename T>
T ReadAt(const uint8_t* bytes, size_t offset) noexcept {
    T value;
    std::memcpy(&value, bytes + offset, sizeof value);
    return value;
}

bool AllZero(const uint8_t* bytes, size_t count) noexcept {
    for (size_t i = 0; i < count; ++i)
        if (bytes[i]) return false;
    return true;
}

// Slot counts below zero hold nothing; above what fits, only the slots that
// lie inside the entry are looked at.
size_t SlotsPresent(const uint8_t* entry) noexcept {
    const int32_t claimed = ReadAt<int32_t>(entry, L::kSlotCount);
    if (claimed <= 0) return 0;
    return size_t(claimed) < L::kSlotMax ? size_t(claimed) : L::kSlotMax;
}

bool SlotHolds(const uint8_t* slot, const DriverAddressRecord* wanted) noexcept {
    DriverAddressRecord held;
    std::memcpy(&held, slot, sizeof held);
    if (held.family != wanted->family) return false;
    if (wanted->family == kSilFamilyIPv4) return held.v4.address == wanted->v4.address;
    if (wanted->family == kSilFamilyIPv6)
        return std::memcmp(held.v6.address, wanted->v6.address, 16) == 0 && held.v6.scopeId == wanted->v6.scopeId;
    return false;
}

}  // namespace

bool IsUsablePointOfPresence(const DriverAddressRecord* pointOfPresence) noexcept {
    if (!pointOfPresence || pointOfPresence->family == kSilFamilyEmpty) return false;
    if (pointOfPresence->family == kSilFamilyIPv4) return pointOfPresence->v4.address != 0;
    if (pointOfPresence->family == kSilFamilyIPv6)
        return !AllZero(pointOfPresence->v6.address, 16) || pointOfPresence->v6.scopeId != 0;
    return true;  // another family finds no slot, but is not refused here
}

size_t InterfaceEntriesPresent(const uint8_t* table, size_t returned) noexcept {
    if (!table || returned < L::kHeaderBytes) return 0;
    const int32_t claimed = ReadAt<int32_t>(table, 0);
    if (claimed <= 0) return 0;
    const size_t whole = (returned - L::kHeaderBytes) / L::kEntryBytes;
    return size_t(claimed) < whole ? size_t(claimed) : whole;
}

const uint8_t* FindInterfaceHolding(const uint8_t* table, size_t returned,
                                    const DriverAddressRecord* pointOfPresence) noexcept {
    if (!pointOfPresence) return nullptr;
    const size_t entries = InterfaceEntriesPresent(table, returned);
    for (size_t e = 0; e < entries; ++e) {
        const uint8_t* entry = table + L::kHeaderBytes + e * L::kEntryBytes;
        const size_t slots = SlotsPresent(entry);
        for (size_t s = 0; s < slots; ++s)
            if (SlotHolds(entry + L::kSlots + s * L::kSlotBytes, pointOfPresence)) return entry;
    }
    return nullptr;
}

void ReadInterfaceDetails(const uint8_t* entry, InterfaceDetails* details) noexcept {
    std::memset(details, 0, sizeof *details);
    details->value4 = ReadAt<uint32_t>(entry, L::kValue4);
    details->value16 = ReadAt<uint64_t>(entry, L::kValue16);
    details->flags = ReadAt<uint32_t>(entry, L::kFlags);
    details->value5112 = ReadAt<uint64_t>(entry, L::kValue5112);

    std::memcpy(details->name, entry + L::kName, sizeof details->name);
    size_t units = 0;
    while (units < L::kNameUnits - 1 && details->name[units]) ++units;
    details->nameUnits = units;
    details->name[units] = 0;

    const size_t physical = ReadAt<uint8_t>(entry, L::kPhysicalLength);
    details->physicalLength = physical < L::kPhysicalMax ? physical : L::kPhysicalMax;
    std::memcpy(details->physical, entry + L::kPhysical, details->physicalLength);

    const uint32_t second = ReadAt<uint32_t>(entry, L::kSecondTextLength);
    details->secondTextUnits = second < L::kSecondTextMaxUnits ? second : L::kSecondTextMaxUnits;
    std::memcpy(details->secondText, entry + L::kSecondText, details->secondTextUnits * sizeof(char16_t));

    const uint32_t trailing = ReadAt<uint32_t>(entry, L::kTrailingLength);
    details->trailingLength = trailing < L::kTrailingMax ? trailing : L::kTrailingMax;
    std::memcpy(details->trailing, entry + L::kTrailing, details->trailingLength);
}

size_t NextInterfaceTableBytes(size_t bytes) noexcept {
    if (bytes < kInterfaceTableFirstBytes) return kInterfaceTableFirstBytes;
    const size_t entries = (bytes - L::kHeaderBytes) / L::kEntryBytes;
    const size_t grown = bytes == kInterfaceTableFirstBytes ? entries + 8 : 2 * entries;
    const size_t maxEntries = (kInterfaceTableMaxBytes - L::kHeaderBytes) / L::kEntryBytes;
    const size_t next = L::kHeaderBytes + (grown < maxEntries ? grown : maxEntries) * L::kEntryBytes;
    return next > bytes ? next : 0;
}

uint32_t NetworkTypeOfFlags(uint32_t flags) noexcept {
    if (flags & 0x10) return 3;
    if (flags & 0x20) return 2;
    return 1;
}
