// Writes address records as text in the forms the parser reads back:
// "[" address "%" zone "/" prefix "]" ":" port.
#include <cstring>

#include "address/address_byte_order.h"
#include "address/address_text.h"
#include "address/address_text_builder.h"

namespace {

bool ShowsPort(uint16_t port, uint32_t flags) noexcept {
    using namespace AddressFormatFlags;
    return !(flags & NeverPort) && ((flags & AlwaysPort) || port != 0);
}

// A full-length prefix is the default, and a zero prefix beside anything
// non-zero would read as "match everything" for a concrete endpoint, so
// neither is written unless asked for.
bool WritesPrefix(uint8_t prefix, uint8_t fullLength, bool anythingNonZero,
                  uint32_t flags) noexcept {
    using namespace AddressFormatFlags;
    if (flags & NeverPrefix) return false;
    if (flags & AlwaysPrefix) return true;
    return prefix != fullLength && !(prefix == 0 && anythingNonZero);
}

uint32_t BuildIPv4(const SilAddressRecord& record, uint32_t flags,
                   AddressTextBuilder& out) noexcept {
    uint8_t address[4];
    std::memcpy(address, &record.v4.address, 4);
    out.PutDottedQuad(address);

    const uint8_t prefix = record.v4.prefixLength;
    if (WritesPrefix(prefix, kSilIPv4MaxPrefix, record.port != 0 || record.v4.address != 0,
                     flags)) {
        if (prefix > kSilIPv4MaxPrefix) return kAddressTextInvalidArgument;
        out.Put(u'/');
        if (flags & AddressFormatFlags::IPv4PrefixAsMask) {
            const uint32_t mask = prefix == 0 ? 0 : ~0u << (32 - prefix);
            const uint8_t maskBytes[4] = {static_cast<uint8_t>(mask >> 24),
                                          static_cast<uint8_t>(mask >> 16),
                                          static_cast<uint8_t>(mask >> 8),
                                          static_cast<uint8_t>(mask)};
            out.PutDottedQuad(maskBytes);
        } else {
            out.PutDecimal(prefix);
        }
    }
    if (ShowsPort(record.port, flags)) {
        out.Put(u':');
        out.PutDecimal(NetworkToHost16(record.port));
    }
    return kAddressTextOk;
}

// IPv4-mapped (::ffff:a.b.c.d), IPv4-compatible (::a.b.c.d other than :: and
// ::1) and ISATAP (interface id 0000:5efe or 0200:5efe) addresses carry an
// IPv4 address in their last four bytes, so those are written dotted.
bool UsesDottedTail(const uint8_t a[16]) noexcept {
    static constexpr uint8_t kZero[12] = {};
    if (std::memcmp(a, kZero, 10) == 0 && a[10] == 0xFF && a[11] == 0xFF) return true;
    if (std::memcmp(a, kZero, 12) == 0) {
        const bool unspecifiedOrLoopback = a[12] == 0 && a[13] == 0 && a[14] == 0 && a[15] <= 1;
        return !unspecifiedOrLoopback;
    }
    return (a[8] == 0x00 || a[8] == 0x02) && a[9] == 0x00 && a[10] == 0x5E && a[11] == 0xFE;
}

// Only the first run of two or more zero groups is compressed, even when a
// later run is longer.
void PutGroups(const uint8_t a[16], uint32_t groupCount, AddressTextBuilder& out) noexcept {
    uint16_t groups[8];
    for (uint32_t i = 0; i < groupCount; ++i) {
        groups[i] = static_cast<uint16_t>(a[2 * i] << 8 | a[2 * i + 1]);
    }
    uint32_t runStart = groupCount;
    for (uint32_t i = 0; i + 1 < groupCount; ++i) {
        if (groups[i] == 0 && groups[i + 1] == 0) {
            runStart = i;
            break;
        }
    }
    uint32_t runEnd = runStart;
    while (runEnd < groupCount && groups[runEnd] == 0) ++runEnd;

    if (runStart == 0) out.Put(u':');
    for (uint32_t i = 0; i < groupCount; ++i) {
        if (i >= runStart && i < runEnd) continue;
        if (i == runEnd) out.Put(u':');
        out.PutHex(groups[i]);
        if (i != 7) out.Put(u':');
    }
    if (runStart < groupCount && runEnd == groupCount) out.Put(u':');
}

bool AnyNonZero(const uint8_t* bytes, size_t length) noexcept {
    for (size_t i = 0; i < length; ++i) {
        if (bytes[i] != 0) return true;
    }
    return false;
}

uint32_t BuildIPv6(const SilAddressRecord& record, uint32_t flags,
                   AddressTextBuilder& out) noexcept {
    const uint8_t* a = record.v6.address;
    const bool showPort = ShowsPort(record.port, flags);
    const bool brackets = showPort || (flags & AddressFormatFlags::IPv6AlwaysBrackets);
    if (brackets) out.Put(u'[');

    if (UsesDottedTail(a)) {
        PutGroups(a, 6, out);
        out.PutDottedQuad(a + 12);
    } else {
        PutGroups(a, 8, out);
    }

    if (record.v6.scopeId != 0) {
        out.Put(u'%');
        out.PutDecimal(record.v6.scopeId);
    }
    const uint8_t prefix = record.v6.prefixLength;
    if (WritesPrefix(prefix, kSilIPv6MaxPrefix,
                     record.port != 0 || record.v6.scopeId != 0 || AnyNonZero(a, 16), flags)) {
        if (prefix > kSilIPv6MaxPrefix) return kAddressTextInvalidArgument;
        out.Put(u'/');
        out.PutDecimal(prefix);
    }
    if (brackets) out.Put(u']');
    if (showPort) {
        out.Put(u':');
        out.PutDecimal(NetworkToHost16(record.port));
    }
    return kAddressTextOk;
}

}  // namespace

uint32_t BuildAddressText(const SilAddressRecord& record, uint32_t flags,
                          AddressTextBuilder& out) noexcept {
    switch (record.family) {
    case kSilFamilyEmpty:
        return kAddressTextOk;
    case kSilFamilyIPv4:
        return BuildIPv4(record, flags, out);
    case kSilFamilyIPv6:
        return BuildIPv6(record, flags, out);
    default:
        return kAddressTextInvalidArgument;
    }
}

uint32_t FormatAddressText(const SilAddressRecord* record, char16_t* buffer, uint32_t capacity,
                           uint32_t* needed, uint32_t flags) noexcept {
    if (needed != nullptr) *needed = 0;
    if (record == nullptr || (buffer == nullptr && capacity != 0)) {
        return kAddressTextInvalidArgument;
    }
    if (record->family == kSilFamilyEmpty) {
        // The empty value is the empty text, and a size query for it succeeds.
        if (needed != nullptr) *needed = 1;
        if (buffer != nullptr && capacity != 0) buffer[0] = 0;
        return kAddressTextOk;
    }
    AddressTextBuilder text;
    uint32_t result = BuildAddressText(*record, flags, text);
    if (result != kAddressTextOk) return result;

    result = ReserveAddressTextOutput(text.Length(), capacity, needed);
    if (result != kAddressTextOk || buffer == nullptr) return result;
    std::memcpy(buffer, text.Text(), text.Length() * sizeof(char16_t));
    buffer[text.Length()] = 0;
    return kAddressTextOk;
}

uint32_t FormatDriverAddressText(const DriverAddressRecord* record, char16_t* buffer,
                                 uint32_t capacity, uint32_t* needed, uint32_t flags) noexcept {
    if (needed != nullptr) *needed = 0;
    if (record == nullptr) return kAddressTextInvalidArgument;
    SilAddressRecord full;
    std::memset(&full, 0, sizeof full);
    // Only the family's own bytes: any other family formats as the empty text.
    if (record->family == kSilFamilyIPv4) {
        std::memcpy(&full, record, 8);
    } else if (record->family == kSilFamilyIPv6) {
        std::memcpy(&full, record, sizeof *record);
    }
    return FormatAddressText(&full, buffer, capacity, needed,
                             flags | AddressFormatFlags::NeverPrefix);
}
