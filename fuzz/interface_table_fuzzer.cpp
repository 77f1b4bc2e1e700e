// Fuzzes the search of the driver's interface table and the reading of the
// entry it finds, on arbitrary driver answers.
//
// Input: 28 bytes of point-of-presence record, then the table exactly as
// "returned" by the driver, in an allocation of exactly that length, so a
// read past what came back is caught by the address sanitizer.
//
// Checks: a found entry lies wholly inside the returned bytes on an entry
// boundary; every length read from it stays within its field, and both
// texts come out terminated.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "address/interface_table.h"

namespace {

namespace L = InterfaceTableLayout;

void Require(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < sizeof(DriverAddressRecord)) return 0;
    DriverAddressRecord pointOfPresence;
    std::memcpy(&pointOfPresence, data, sizeof pointOfPresence);
    const size_t returned = size - sizeof pointOfPresence;
    std::unique_ptr<uint8_t[]> table(new uint8_t[returned ? returned : 1]);
    std::memcpy(table.get(), data + sizeof pointOfPresence, returned);

    const size_t entries = InterfaceEntriesPresent(table.get(), returned);
    Require(returned < L::kHeaderBytes ? entries == 0 : L::kHeaderBytes + entries * L::kEntryBytes <= returned);

    const uint8_t* entry = FindInterfaceHolding(table.get(), returned, &pointOfPresence);
    if (!entry) return 0;
    const size_t offset = size_t(entry - table.get());
    Require(offset >= L::kHeaderBytes && (offset - L::kHeaderBytes) % L::kEntryBytes == 0);
    Require(offset + L::kEntryBytes <= returned);
    Require(IsUsablePointOfPresence(&pointOfPresence) || pointOfPresence.family != 0);

    InterfaceDetails details;
    ReadInterfaceDetails(entry, &details);
    Require(details.nameUnits < L::kNameUnits);
    Require(details.physicalLength <= L::kPhysicalMax);
    Require(details.secondTextUnits <= L::kSecondTextMaxUnits);
    Require(details.name[details.nameUnits] == 0 && details.secondText[details.secondTextUnits] == 0);
    Require(details.trailingLength <= L::kTrailingMax);
    const uint32_t type = NetworkTypeOfFlags(details.flags);
    Require(type >= 1 && type <= 3);
    return 0;
}
