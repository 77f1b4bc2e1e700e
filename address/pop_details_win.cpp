#include "address/pop_details_win.h"

#include <windows.h>

#include <cstring>

#include "address/address_queries_win.h"
#include "core/driver_channel_win.h"
#include "core/request_codes.h"
#include "include/qlclapi.h"

// The records callers of the 32-bit library were built against.
#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(QlPointOfPresenceDetails) == 52, "plain details: 52 bytes");
static_assert(offsetof(QlPointOfPresenceDetails, physicalAddress) == 20, "physical address pointer at 20");
static_assert(offsetof(QlPointOfPresenceDetails, physicalAddressLength) == 24, "its length at 24");
static_assert(offsetof(QlPointOfPresenceDetails, name) == 28, "name pointer at 28");
static_assert(offsetof(QlPointOfPresenceDetails, nameBytes) == 32, "its size at 32");
static_assert(offsetof(QlPointOfPresenceDetails, secondText) == 36, "second text pointer at 36");
static_assert(offsetof(QlPointOfPresenceDetails, secondTextBytes) == 40, "its size at 40");
static_assert(offsetof(QlPointOfPresenceDetails, trailingBytes) == 44, "trailing bytes pointer at 44");
static_assert(offsetof(QlPointOfPresenceDetails, trailingLength) == 48, "their length at 48");
static_assert(sizeof(QlPointOfPresenceDetailsEx) == 104, "Ex details: 104 bytes");
static_assert(offsetof(QlPointOfPresenceDetailsEx, reserved1) == 52, "zero word at 52");
static_assert(offsetof(QlPointOfPresenceDetailsEx, interfaceValue2) == 56, "64-bit value at 56");
static_assert(offsetof(QlPointOfPresenceDetailsEx, interfaceValue3) == 64, "64-bit value at 64");
static_assert(offsetof(QlPointOfPresenceDetailsEx, socketAddress) == 72, "socket address at 72");
static_assert(offsetof(QlPointOfPresenceDetailsEx, reserved2) == 100, "zero word at 100");
#else
static_assert(sizeof(QlPointOfPresenceDetails) == 88, "plain details: 88 bytes with 8-byte pointers");
static_assert(offsetof(QlPointOfPresenceDetails, physicalAddress) == 24, "first pointer at 24");
static_assert(sizeof(QlPointOfPresenceDetailsEx) == 144, "Ex details: 144 bytes with 8-byte pointers");
static_assert(offsetof(QlPointOfPresenceDetailsEx, socketAddress) == 112, "socket address at 112");
#endif

namespace qlclapi {

bool InterfaceTableBuffer::fetch() {
    release();
    for (size_t size = kInterfaceTableFirstBytes; size; size = NextInterfaceTableBytes(size)) {
        // Only the bytes the driver returned are ever read.
        if (!bytes_.allocate(size)) return false;
        uint32_t returned = 0;
        if (!SendDeviceRequest(RequestCode::InterfaceTable, nullptr, 0, bytes_.data(), uint32_t(size), &returned)) {
            release();
            return false;
        }
        if (returned < size) {
            returned_ = returned;
            return true;
        }
        release();
    }
    return false;
}

void InterfaceTableBuffer::release() {
    bytes_.release();
    returned_ = 0;
}

const uint8_t* FindPointOfPresenceInterface(InterfaceTableBuffer* table, DriverAddressRecord* pointOfPresence) {
    table->release();
    *pointOfPresence = {};
    DriverAddressRecord records[2];
    if (!ReadPointOfPresenceRecords(records) || !IsUsablePointOfPresence(&records[1])) return nullptr;
    if (!table->fetch()) return nullptr;
    const uint8_t* entry = FindInterfaceHolding(table->bytes(), table->returned(), &records[1]);
    if (!entry) {
        table->release();
        return nullptr;
    }
    *pointOfPresence = records[1];
    return entry;
}

namespace {

// Copies the variable parts behind the fixed part, each only while the
// running total still fits: once one part does not fit, none after it does.
class VariablePartWriter {
public:
    VariablePartWriter(uint8_t* buffer, uint32_t size, uint32_t fixedSize)
        : buffer_(buffer), size_(size), total_(fixedSize) {}

    // Returns where the part was copied, or null (and leaves its fields 0).
    const void* add(const void* part, uint32_t bytes) {
        total_ += bytes;
        if (!buffer_ || size_ < total_) return nullptr;
        uint8_t* at = buffer_ + total_ - bytes;
        if (bytes) memcpy(at, part, bytes);
        return at;
    }
    uint32_t total() const { return total_; }

private:
    uint8_t* buffer_;
    uint32_t size_;
    uint32_t total_;
};

template <typename Pointer>
void StorePart(VariablePartWriter& writer, const void* part, uint32_t bytes, Pointer& pointer, QlUInt32& size) {
    if (const void* at = writer.add(part, bytes)) {
        pointer = static_cast<Pointer>(at);
        size = bytes;
    }
}

// Texts are copied with a terminator; an empty one takes no room at all.
uint32_t TextBytes(size_t units) { return units ? uint32_t((units + 1) * sizeof(wchar_t)) : 0; }

// The interface carrying the point of presence, read out of a table that
// lives only for this call. Without a driver, or with one of another
// version, the point of presence is not asked for, so nothing is found.
bool ReadPointOfPresenceInterface(InterfaceDetails* interface, DriverAddressRecord* pointOfPresence) {
    InterfaceTableBuffer table;
    const uint8_t* entry = FindPointOfPresenceInterface(&table, pointOfPresence);
    if (!entry) return false;
    ReadInterfaceDetails(entry, interface);
    return true;
}

}  // namespace

uint32_t BuildPointOfPresenceDetails(void* buffer, uint32_t size, DetailsForm form) {
    InterfaceDetails interface;
    DriverAddressRecord pointOfPresence;
    if (!ReadPointOfPresenceInterface(&interface, &pointOfPresence)) return 0;

    const uint32_t fixedSize =
        form == DetailsForm::Ex ? sizeof(QlPointOfPresenceDetailsEx) : sizeof(QlPointOfPresenceDetails);
    QlPointOfPresenceDetailsEx fixed = {};
    QlPointOfPresenceDetails& details = fixed.details;
    details.size = sizeof(QlPointOfPresenceDetails);
    details.address = pointOfPresence.family == kSilFamilyIPv4 ? pointOfPresence.v4.address : 0;
    details.interfaceValue1 = interface.value4;
    details.interfaceValue2Low = uint32_t(interface.value16);
    details.interfaceValue3Low = uint32_t(interface.value5112);
    fixed.interfaceValue2 = interface.value16;
    fixed.interfaceValue3 = interface.value5112;
    CSilAddress(&pointOfPresence).ToSockaddr(fixed.socketAddress, sizeof fixed.socketAddress, nullptr);

    // The table's texts, cut to their fields and terminated.
    const auto* name = reinterpret_cast<const wchar_t*>(interface.name);
    const auto* secondText = reinterpret_cast<const wchar_t*>(interface.secondText);

    const bool fixedFits = buffer && size >= fixedSize;
    VariablePartWriter writer(fixedFits ? static_cast<uint8_t*>(buffer) : nullptr, size, fixedSize);
    StorePart(writer, interface.physical, uint32_t(interface.physicalLength), details.physicalAddress,
              details.physicalAddressLength);
    StorePart(writer, name, TextBytes(interface.nameUnits), details.name, details.nameBytes);
    StorePart(writer, secondText, TextBytes(interface.secondTextUnits), details.secondText,
              details.secondTextBytes);
    StorePart(writer, interface.trailing, uint32_t(interface.trailingLength), details.trailingBytes,
              details.trailingLength);
    if (fixedFits) memcpy(buffer, &fixed, fixedSize);
    return writer.total();
}

uint32_t GetPointOfPresenceNetworkType() {
    InterfaceDetails interface;
    DriverAddressRecord pointOfPresence;
    return ReadPointOfPresenceInterface(&interface, &pointOfPresence) ? NetworkTypeOfFlags(interface.flags) : 0;
}

}  // namespace qlclapi
