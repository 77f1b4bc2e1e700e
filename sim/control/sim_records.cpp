#include "sim_records.h"

#include <algorithm>
#include <cstring>

namespace qlsim {

namespace {

constexpr uint16_t kFamilyIPv4 = 2;
constexpr uint16_t kFamilyIPv6 = 23;

template <typename T>
void Put(uint8_t* at, T value) {
    memcpy(at, &value, sizeof value);
}

template <typename T>
T Get(const uint8_t* at) {
    T value;
    memcpy(&value, at, sizeof value);
    return value;
}

void PutBigEndian16(uint8_t* at, uint16_t value) {
    at[0] = uint8_t(value >> 8);
    at[1] = uint8_t(value);
}

}  // namespace

AddressRecord IPv4Record(uint8_t a, uint8_t b, uint8_t c, uint8_t d, uint16_t port) {
    AddressRecord record{};
    Put(&record[0], kFamilyIPv4);
    PutBigEndian16(&record[2], port);
    record[4] = a;
    record[5] = b;
    record[6] = c;
    record[7] = d;
    return record;
}

AddressRecord IPv6Record(const std::array<uint8_t, 16>& address, uint32_t scopeId, uint16_t port,
                         uint32_t flowInfo) {
    AddressRecord record{};
    Put(&record[0], kFamilyIPv6);
    PutBigEndian16(&record[2], port);
    memcpy(&record[4], address.data(), 16);
    Put(&record[20], scopeId);
    Put(&record[24], flowInfo);
    return record;
}

AddressRecord FamilyOnlyRecord(uint16_t family) {
    AddressRecord record{};
    Put(&record[0], family);
    return record;
}

std::vector<uint8_t> ShortRecordBytes(const AddressRecord& record) {
    return std::vector<uint8_t>(record.begin(), record.begin() + 24);
}

std::vector<uint8_t> ServerRecordsBytes(const AddressRecord& server, const AddressRecord& pointOfPresence) {
    std::vector<uint8_t> bytes(server.begin(), server.end());
    bytes.insert(bytes.end(), pointOfPresence.begin(), pointOfPresence.end());
    return bytes;
}

namespace {

// Field offsets inside one entry, as the driver writes them.
constexpr size_t kValue4 = 4, kValue16 = 16, kFlags = 28, kName = 32, kNameUnits = kSimNameMaxUnits + 1;
constexpr size_t kPhysicalLength = 1060, kPhysical = 1061, kPhysicalRoom = kSimPhysicalMaxBytes;
constexpr size_t kSlotCount = 1080, kSlots = 1084, kSlotBytes = 48, kSlotRoom = kSimAddressMaxSlots;
constexpr size_t kValue5112 = 5112, kSecondLength = 5140, kSecond = 5144, kSecondRoom = kSimSecondTextMaxUnits;
constexpr size_t kTrailingLength = 5212, kTrailing = 5216, kTrailingRoom = kSimTrailingMaxBytes;
static_assert(kPhysical + kPhysicalRoom == kSlotCount && kSlots + kSlotRoom * kSlotBytes <= kValue5112 &&
                  kSecond + 2 * kSecondRoom <= kTrailingLength && kTrailing + kTrailingRoom == kSimInterfaceEntryBytes,
              "every field ends before the next one");

void WriteEntry(uint8_t* entry, const SimInterface& in) {
    Put(entry + kValue4, in.value4);
    Put(entry + kValue16, in.value16);
    Put(entry + kFlags, in.flags);
    if (in.nameFillsFieldWithoutTerminator) {
        for (size_t i = 0; i < kNameUnits; ++i) Put(entry + kName + 2 * i, char16_t(u'n'));
    } else {
        size_t units = std::min(in.name.size(), kNameUnits - 1);
        memcpy(entry + kName, in.name.data(), 2 * units);
    }
    size_t physical = std::min(in.physical.size(), kPhysicalRoom);
    memcpy(entry + kPhysical, in.physical.data(), physical);
    Put(entry + kPhysicalLength,
        uint8_t(in.physicalLengthClaim >= 0 ? in.physicalLengthClaim : int64_t(physical)));
    size_t slots = std::min(in.addresses.size(), kSlotRoom);
    for (size_t s = 0; s < slots; ++s) memcpy(entry + kSlots + s * kSlotBytes, in.addresses[s].data(), 28);
    Put(entry + kSlotCount, int32_t(in.slotCountClaim >= 0 ? in.slotCountClaim : int64_t(slots)));
    Put(entry + kValue5112, in.value5112);
    size_t second = std::min(in.secondText.size(), kSecondRoom);
    memcpy(entry + kSecond, in.secondText.data(), 2 * second);
    Put(entry + kSecondLength, uint32_t(in.secondTextLengthClaim >= 0 ? in.secondTextLengthClaim : int64_t(second)));
    size_t trailing = std::min(in.trailing.size(), kTrailingRoom);
    memcpy(entry + kTrailing, in.trailing.data(), trailing);
    Put(entry + kTrailingLength, uint32_t(in.trailingLengthClaim >= 0 ? in.trailingLengthClaim : int64_t(trailing)));
}

}  // namespace

std::vector<uint8_t> InterfaceTableBytes(const std::vector<SimInterface>& interfaces, int64_t entryCountClaim) {
    std::vector<uint8_t> table(kSimInterfaceTableHeaderBytes + interfaces.size() * kSimInterfaceEntryBytes);
    Put(&table[0], int32_t(entryCountClaim != INT64_MIN ? entryCountClaim : int64_t(interfaces.size())));
    for (size_t i = 0; i < interfaces.size(); ++i)
        WriteEntry(&table[kSimInterfaceTableHeaderBytes + i * kSimInterfaceEntryBytes], interfaces[i]);
    return table;
}

namespace {

// Only the first fault is kept: the later ones tend to follow from it.
void Note(std::string& fault, const std::string& what) {
    if (fault.empty()) fault = what;
}

std::string Entry(size_t index) { return "interface " + std::to_string(index + 1) + ": "; }

size_t Bounded(uint64_t claim, size_t room, const char* field, size_t index, std::string& fault) {
    if (claim <= room) return size_t(claim);
    Note(fault, Entry(index) + field + " " + std::to_string(claim) + " is beyond its field's " + std::to_string(room));
    return room;
}

std::u16string ReadUnits(const uint8_t* at, size_t units) {
    std::u16string text(units, u'\0');
    for (size_t i = 0; i < units; ++i) text[i] = Get<char16_t>(at + 2 * i);
    return text;
}

SimInterface ReadEntry(const uint8_t* entry, size_t index, std::string& fault) {
    SimInterface out;
    out.value4 = Get<uint32_t>(entry + kValue4);
    out.value16 = Get<uint64_t>(entry + kValue16);
    out.flags = Get<uint32_t>(entry + kFlags);
    out.value5112 = Get<uint64_t>(entry + kValue5112);
    size_t nameUnits = 0;
    while (nameUnits < kNameUnits && Get<char16_t>(entry + kName + 2 * nameUnits) != 0) ++nameUnits;
    if (nameUnits == kNameUnits) Note(fault, Entry(index) + "the name has no terminator");
    out.name = ReadUnits(entry + kName, nameUnits);
    size_t physical = Bounded(entry[kPhysicalLength], kPhysicalRoom, "physical address length", index, fault);
    out.physical.assign(entry + kPhysical, entry + kPhysical + physical);
    int32_t slotClaim = Get<int32_t>(entry + kSlotCount);
    if (slotClaim < 0) Note(fault, Entry(index) + "address count " + std::to_string(slotClaim));
    size_t slots = Bounded(uint64_t(std::max(slotClaim, 0)), kSlotRoom, "address count", index, fault);
    out.addresses.resize(slots);
    for (size_t s = 0; s < slots; ++s) memcpy(out.addresses[s].data(), entry + kSlots + s * kSlotBytes, 28);
    size_t second = Bounded(Get<uint32_t>(entry + kSecondLength), kSecondRoom, "second text length", index, fault);
    out.secondText = ReadUnits(entry + kSecond, second);
    size_t trailing = Bounded(Get<uint32_t>(entry + kTrailingLength), kTrailingRoom, "trailing length", index, fault);
    out.trailing.assign(entry + kTrailing, entry + kTrailing + trailing);
    return out;
}

}  // namespace

InterfaceTableReading ReadInterfaceTable(const std::vector<uint8_t>& bytes) {
    InterfaceTableReading reading;
    if (bytes.empty()) return reading;
    if (bytes.size() < kSimInterfaceTableHeaderBytes) {
        Note(reading.fault, std::to_string(bytes.size()) + " bytes, fewer than the table's header");
        return reading;
    }
    int32_t count = Get<int32_t>(bytes.data());
    size_t present = (bytes.size() - kSimInterfaceTableHeaderBytes) / kSimInterfaceEntryBytes;
    size_t rest = (bytes.size() - kSimInterfaceTableHeaderBytes) % kSimInterfaceEntryBytes;
    if (count < 0 || size_t(count) != present)
        Note(reading.fault,
             "entry count " + std::to_string(count) + ", but " + std::to_string(present) + " whole entries present");
    if (rest) Note(reading.fault, std::to_string(rest) + " bytes after the last whole entry");
    size_t read = std::min(present, size_t(std::max(count, 0)));
    for (size_t i = 0; i < read; ++i)
        reading.interfaces.push_back(
            ReadEntry(&bytes[kSimInterfaceTableHeaderBytes + i * kSimInterfaceEntryBytes], i, reading.fault));
    return reading;
}

namespace {

constexpr size_t kDetailsUser = 32, kDetailsDevice = 542, kDetailsUserMarker = 1052, kDetailsDeviceMarker = 1056;
static_assert(kDetailsDevice - kDetailsUser == 2 * kSimDetailsNameMaxUnits &&
                  kDetailsDevice + 2 * kSimDetailsNameMaxUnits <= kDetailsUserMarker,
              "each name has 510 bytes");

void PutName(uint8_t* field, const std::u16string& name) {
    for (size_t i = 0; i < name.size() && i < kSimDetailsNameMaxUnits; ++i) Put<uint16_t>(field + 2 * i, name[i]);
}

std::u16string GetName(const uint8_t* field) {
    std::u16string name;
    for (size_t i = 0; i < kSimDetailsNameMaxUnits; ++i) {
        auto unit = static_cast<char16_t>(Get<uint16_t>(field + 2 * i));
        if (!unit) break;
        name += unit;
    }
    return name;
}

}  // namespace

std::vector<uint8_t> ConnectionDetailsBytes(const SimConnectionDetails& details) {
    std::vector<uint8_t> bytes(kSimDetailsRecordBytes);
    PutName(&bytes[kDetailsUser], details.user);
    PutName(&bytes[kDetailsDevice], details.device);
    Put(&bytes[kDetailsUserMarker], details.userMarker);
    Put(&bytes[kDetailsDeviceMarker], details.deviceMarker);
    return bytes;
}

SimConnectionDetails ReadConnectionDetails(std::vector<uint8_t> bytes) {
    bytes.resize(kSimDetailsRecordBytes);
    SimConnectionDetails details;
    details.user = GetName(&bytes[kDetailsUser]);
    details.device = GetName(&bytes[kDetailsDevice]);
    details.userMarker = Get<uint32_t>(&bytes[kDetailsUserMarker]);
    details.deviceMarker = Get<uint32_t>(&bytes[kDetailsDeviceMarker]);
    return details;
}

}  // namespace qlsim
