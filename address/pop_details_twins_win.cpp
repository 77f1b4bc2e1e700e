// The point-of-presence details for Visual Basic callers: the record's
// numbers in separate out values, its texts and byte strings in BSTRs.
#include "address/pop_details_twins_win.h"

#include <cstring>

#include "address/address_queries_win.h"
#include "address/pop_details_win.h"
#include "core/heap_buffer.h"
#include "core/vb_text_win.h"

namespace qlclapi {

namespace {

// Enough for the fixed part and every variable part the driver's fields can
// hold (at most 19 + 1028 + 70 + 16 bytes).
constexpr uint32_t kTwinBufferBytes = 5000;

template <typename T>
void Store(T* target, T value) {
    if (target) *target = value;
}

// A text part whose size is 0 (or that did not fit) is an empty text.
uint32_t StoreText(QlBstr* target, const wchar_t* text, QlUInt32 bytes) {
    if (!target) return 1;
    return StoreAnsiInBstr(target, bytes && text ? text : L"");
}

uint32_t StoreHex(QlBstr* target, const unsigned char* bytes, QlUInt32 count) {
    if (!target) return 1;
    return BytesToHexBstr(target, bytes, bytes ? count : 0);
}

// The outputs both twins share, in the order they are stored; false at the
// first conversion that fails (outputs stored before it stay).
bool StoreParts(const QlPointOfPresenceDetails& d, QlBstr* physicalAddress, QlBstr* name, QlBstr* secondText,
                QlBstr* trailingBytes) {
    return StoreHex(physicalAddress, d.physicalAddress, d.physicalAddressLength) &&
           StoreHex(trailingBytes, d.trailingBytes, d.trailingLength) &&
           StoreText(name, d.name, d.nameBytes) && StoreText(secondText, d.secondText, d.secondTextBytes);
}

}  // namespace

uint32_t GetPointOfPresenceDetailsValues(QlUInt32* address, QlUInt32* interfaceValue1,
                                                           QlUInt32* interfaceValue2Low,
                                                           QlUInt32* interfaceValue3Low, QlBstr* physicalAddress,
                                                           QlBstr* name, QlBstr* secondText, QlBstr* trailingBytes) {
    alignas(8) unsigned char buffer[kTwinBufferBytes];
    memset(buffer, 0, sizeof(QlPointOfPresenceDetails));
    const uint32_t total = BuildPointOfPresenceDetails(buffer, sizeof buffer, DetailsForm::Plain);
    if (total == 0) return 0;
    QlPointOfPresenceDetails details;
    memcpy(&details, buffer, sizeof details);
    Store(address, details.address);
    Store(interfaceValue1, details.interfaceValue1);
    Store(interfaceValue2Low, details.interfaceValue2Low);
    Store(interfaceValue3Low, details.interfaceValue3Low);
    return StoreParts(details, physicalAddress, name, secondText, trailingBytes) ? total : 0;
}

uint32_t GetPointOfPresenceDetailsExValues(QlBstr* address, QlUInt32* interfaceValue1,
                                                             QlUInt64* interfaceValue2, QlUInt64* interfaceValue3,
                                                             QlBstr* physicalAddress, QlBstr* name,
                                                             QlBstr* secondText, QlBstr* trailingBytes) {
    const uint32_t needed = BuildPointOfPresenceDetails(nullptr, 0, DetailsForm::Ex);
    if (needed == 0) return 0;
    HeapBuffer<unsigned char> buffer(needed);
    if (!buffer.ok()) return 0;
    const uint32_t total = BuildPointOfPresenceDetails(buffer.data(), needed, DetailsForm::Ex);
    // The interface grew between the two requests: the caller learns the
    // new size and gets nothing filled.
    if (total > needed || total == 0) return total;
    QlPointOfPresenceDetailsEx details;
    memcpy(&details, buffer.data(), sizeof details);
    uint32_t result = total;
    if (address) {
        SilAddressText text;
        AddressTextViaSocketAddress(CSilAddress(reinterpret_cast<const sockaddr*>(details.socketAddress)), &text);
        if (!StoreAnsiInBstr(address, reinterpret_cast<const wchar_t*>(text.wide))) result = 0;
    }
    if (result) {
        Store(interfaceValue1, details.details.interfaceValue1);
        Store(interfaceValue2, details.interfaceValue2);
        Store(interfaceValue3, details.interfaceValue3);
        if (!StoreParts(details.details, physicalAddress, name, secondText, trailingBytes)) result = 0;
    }
    return result;
}

}  // namespace qlclapi
