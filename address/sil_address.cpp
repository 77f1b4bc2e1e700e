// CSilAddress: construction from the driver's records and from text, the
// named constructors, and the portable conversions out.
#include <cstring>

#include "address/address_byte_order.h"
#include "address/address_text.h"
#include "address/sil_address.h"
#include "address/sil_address_output.h"

namespace {

void SetDefaultPrefix(SilAddressRecord& record) noexcept {
    if (record.family == kSilFamilyIPv4) record.v4.prefixLength = kSilIPv4MaxPrefix;
    if (record.family == kSilFamilyIPv6) record.v6.prefixLength = kSilIPv6MaxPrefix;
}

// The leading bytes of the record when it holds family, else those of the
// empty value.
uint32_t CopyFamilyRecord(const SilAddressRecord& record, uint16_t family, void* out,
                          size_t length) noexcept {
    const bool leadingPart =
        length == 8 || length == 16 || length == 24 || length == 28 || length == 32;
    if (out == nullptr || !leadingPart) return kSilInvalidArgument;
    if (record.family == family) {
        std::memcpy(out, &record, length);
    } else {
        std::memset(out, 0, length);
    }
    return kSilOk;
}

}  // namespace

CSilAddress::CSilAddress() noexcept { std::memset(&record_, 0, sizeof record_); }

CSilAddress::CSilAddress(const CSilAddress& other) noexcept : record_(other.record_) {}

CSilAddress& CSilAddress::operator=(const CSilAddress& other) noexcept {
    if (this != &other) record_ = other.record_;
    return *this;
}

CSilAddress::~CSilAddress() {}

CSilAddress::CSilAddress(const DriverAddressRecordShort* record) noexcept {
    CopyAddressRecord(&record_, record);
    SetDefaultPrefix(record_);
}

CSilAddress::CSilAddress(const DriverAddressRecord* record) noexcept {
    CopyAddressRecord(&record_, record);
    SetDefaultPrefix(record_);
}

CSilAddress::CSilAddress(const SilAddressRecord* record) noexcept {
    CopyAddressRecord(&record_, record);
}

CSilAddress::CSilAddress(const char16_t* text) noexcept {
    ParseAddressText(text, &record_, nullptr, 0);
}

CSilAddress CSilAddress::WithPort(const CSilAddress& source, uint16_t port) noexcept {
    DriverAddressRecord record;
    std::memcpy(&record, &source.record_, sizeof record);
    record.port = HostToNetwork16(port);
    return CSilAddress(&record);
}

CSilAddress CSilAddress::FromFamilyAndPort(uint16_t family, uint16_t port) noexcept {
    CSilAddress result;
    if (family == kSilFamilyIPv4 || family == kSilFamilyIPv6) {
        result.record_.family = family;
        result.record_.port = HostToNetwork16(port);
        SetDefaultPrefix(result.record_);
    }
    return result;
}

CSilAddress CSilAddress::WithPrefix(const CSilAddress& source, uint8_t prefixLength) noexcept {
    CSilAddress result(source);
    SilAddressRecord& r = result.record_;
    if (r.family == kSilFamilyIPv4) {
        r.v4.prefixLength = prefixLength < kSilIPv4MaxPrefix ? prefixLength : kSilIPv4MaxPrefix;
    } else if (r.family == kSilFamilyIPv6) {
        r.v6.prefixLength = prefixLength < kSilIPv6MaxPrefix ? prefixLength : kSilIPv6MaxPrefix;
    }
    return result;
}

CSilAddress CSilAddress::NetworkOf(const CSilAddress& source) noexcept {
    CSilAddress result;
    if (NetworkOfRecord(&source.record_, &result.record_) != kSilOk) {
        std::memset(&result.record_, 0, sizeof result.record_);
    }
    return result;
}

CSilAddress CSilAddress::IPv4WithPort(uint32_t address, uint16_t port) noexcept {
    CSilAddress result = IPv4WithPrefix(address, kSilIPv4MaxPrefix);
    result.record_.port = HostToNetwork16(port);
    return result;
}

CSilAddress CSilAddress::IPv4WithMask(uint32_t address, uint32_t mask) noexcept {
    return IPv4WithPrefix(address, PrefixFromIPv4Mask(mask));
}

CSilAddress CSilAddress::IPv4WithPrefix(uint32_t address, uint8_t prefixLength) noexcept {
    CSilAddress result;
    result.record_.family = kSilFamilyIPv4;
    result.record_.v4.address = address;
    result.record_.v4.prefixLength = prefixLength;
    return result;
}

CSilAddress CSilAddress::IPv6WithMask(const uint8_t* address, const uint8_t* mask) noexcept {
    // A mask with a stray bit keeps the length counted up to that byte.
    uint8_t prefix = 0;
    static constexpr uint8_t kZeroMask[16] = {};
    PrefixFromIPv6Mask(mask != nullptr ? mask : kZeroMask, &prefix);
    return IPv6WithPrefix(address, prefix);
}

CSilAddress CSilAddress::IPv6WithPort(const uint8_t* address, uint16_t port) noexcept {
    CSilAddress result = IPv6WithPrefix(address, kSilIPv6MaxPrefix);
    result.record_.port = HostToNetwork16(port);
    return result;
}

CSilAddress CSilAddress::IPv6WithPrefix(const uint8_t* address, uint8_t prefixLength) noexcept {
    CSilAddress result;
    result.record_.family = kSilFamilyIPv6;
    if (address != nullptr) std::memcpy(result.record_.v6.address, address, 16);
    result.record_.v6.prefixLength = prefixLength;
    return result;
}

uint16_t CSilAddress::Port() const noexcept { return NetworkToHost16(AddressRecordPort(&record_)); }

uint8_t CSilAddress::PrefixLength() const noexcept {
    if (IsIPv4()) return record_.v4.prefixLength;
    if (IsIPv6()) return record_.v6.prefixLength;
    return 0;
}

uint32_t CSilAddress::ToRecord(void* buffer, uint32_t size, uint32_t* needed) const noexcept {
    const uint32_t need = IsIPv4() ? 8 : IsIPv6() ? sizeof(DriverAddressRecord) : 2;
    const uint32_t result = ReserveSilOutput(buffer, size, need, needed);
    if (result != kSilOk) return result;
    if (IsEmpty()) {
        std::memset(buffer, 0, need);
    } else {
        std::memcpy(buffer, &record_, need);
    }
    return kSilOk;
}

uint32_t CSilAddress::CopyIPv4Record(void* out, size_t length) const noexcept {
    return CopyFamilyRecord(record_, kSilFamilyIPv4, out, length);
}

uint32_t CSilAddress::CopyIPv6Record(void* out, size_t length) const noexcept {
    return CopyFamilyRecord(record_, kSilFamilyIPv6, out, length);
}

uint32_t CSilAddress::SetFromText(const char16_t* text, uint32_t flags) noexcept {
    // A failed parse leaves the record zeroed, family included.
    return ParseAddressText(text, &record_, nullptr, flags);
}

SilAddressText* CSilAddress::ToText(SilAddressText* text, uint32_t flags) const noexcept {
    if (text == nullptr) return nullptr;
    if (FormatAddressText(&record_, text->wide, kSilAddressTextUnits, nullptr, flags) !=
        kAddressTextOk) {
        text->wide[0] = 0;
        text->narrow[0] = 0;
        return text;
    }
    for (size_t i = 0; i < kSilAddressTextUnits; ++i) {
        text->narrow[i] = static_cast<char>(text->wide[i] & 0xFF);
        if (text->wide[i] == 0) break;
    }
    return text;
}

bool CSilAddress::operator==(const CSilAddress& other) const noexcept {
    return EqualIPv4Records(&record_, &other.record_, true) ||
           EqualIPv6Records(&record_, &other.record_, true);
}
