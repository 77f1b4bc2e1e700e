// Byte images of the records the simulated driver answers with: address
// records and the interface table. Written from the driver's side of the
// interface, independently of the library's own reading of it, so that a
// test built on them checks the library rather than repeating it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace qlsim {

// A 28-byte driver address record (family, port, address; for IPv6 scope
// id and flow info). Ports in host order here; the record stores them in
// network order.
using AddressRecord = std::array<uint8_t, 28>;
AddressRecord IPv4Record(uint8_t a, uint8_t b, uint8_t c, uint8_t d, uint16_t port = 0);
AddressRecord IPv6Record(const std::array<uint8_t, 16>& address, uint32_t scopeId = 0, uint16_t port = 0,
                         uint32_t flowInfo = 0);
AddressRecord FamilyOnlyRecord(uint16_t family);
// The 24-byte record of the virtual address: the first 24 bytes.
std::vector<uint8_t> ShortRecordBytes(const AddressRecord& record);
// The 56-byte answer to the server request: connected server, then point of presence.
std::vector<uint8_t> ServerRecordsBytes(const AddressRecord& server, const AddressRecord& pointOfPresence);

struct SimInterface {
    uint32_t value4 = 0;
    uint64_t value16 = 0;
    uint32_t flags = 0;  // 0x10, 0x20: the network type
    std::u16string name;
    std::vector<uint8_t> physical;
    std::vector<AddressRecord> addresses;
    uint64_t value5112 = 0;
    std::u16string secondText;
    std::vector<uint8_t> trailing;

    // Hostile entries: lengths and counts that claim more than is there.
    // Negative: use the true value.
    int64_t slotCountClaim = -1;
    int64_t physicalLengthClaim = -1;
    int64_t secondTextLengthClaim = -1;
    int64_t trailingLengthClaim = -1;
    bool nameFillsFieldWithoutTerminator = false;
};

constexpr size_t kSimInterfaceEntryBytes = 5232;
constexpr size_t kSimInterfaceTableHeaderBytes = 8;
// The room of each field of an entry. A name keeps one unit of its 514 for
// the terminator.
constexpr size_t kSimNameMaxUnits = 513;
constexpr size_t kSimPhysicalMaxBytes = 19;
constexpr size_t kSimAddressMaxSlots = 83;
constexpr size_t kSimSecondTextMaxUnits = 34;
constexpr size_t kSimTrailingMaxBytes = 16;

// The table: an i32 entry count (the true count unless claimed), 4 unused
// bytes, then one 5232-byte entry per interface. Texts and byte strings
// longer than their fields are cut to them.
std::vector<uint8_t> InterfaceTableBytes(const std::vector<SimInterface>& interfaces,
                                         int64_t entryCountClaim = INT64_MIN);

// A table read back, for tools that change the table the driver holds. The
// bytes may come from anyone, so nothing in them is taken on trust: at most
// the whole entries present are read and every length and count is cut to
// its field. `fault` names the first thing InterfaceTableBytes would not
// have written (a short header, a count other than the entries present,
// bytes after them, a length or count beyond its field, a name without a
// terminator); empty when there is none. Zero bytes read as an empty table.
struct InterfaceTableReading {
    std::vector<SimInterface> interfaces;
    std::string fault;
};
InterfaceTableReading ReadInterfaceTable(const std::vector<uint8_t>& bytes);

// The 1088-byte connection details record (answer to 0x22245F): the user's
// and the device's name, 510 bytes each at 32 and 542, and their markers at
// 1052 and 1056 (0xFFFFFFFF: not there). A name of 255 units fills its field
// with no terminator; a longer one is cut to 255 units.
constexpr size_t kSimDetailsRecordBytes = 1088;
constexpr size_t kSimDetailsNameMaxUnits = 255;
constexpr uint32_t kSimDetailsAbsent = 0xFFFFFFFF;
struct SimConnectionDetails {
    std::u16string user, device;
    uint32_t userMarker = 0, deviceMarker = 0;
};
std::vector<uint8_t> ConnectionDetailsBytes(const SimConnectionDetails& details);
// Any bytes read as the driver answers them: cut or zero-padded to 1088,
// each name up to its first zero unit or its field's end.
SimConnectionDetails ReadConnectionDetails(std::vector<uint8_t> bytes);

}  // namespace qlsim
