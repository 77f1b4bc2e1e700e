// Operations on bare address records: family-aware copies, equality, masks
// and prefixes. Shared by CSilAddress and by the code that reads records
// straight from the driver.
#include <cstring>

#include "address/address_byte_order.h"
#include "address/sil_address.h"

namespace {

bool HoldsAddress(uint16_t family) noexcept {
    return family == kSilFamilyIPv4 || family == kSilFamilyIPv6;
}

// IPv4 sources give family, port and address (ipv4Bytes) and IPv6 sources
// their whole length; anything else leaves the zeroed record.
void CopyLeadingBytes(SilAddressRecord* out, const void* in, size_t ipv4Bytes,
                      size_t ipv6Bytes) noexcept {
    std::memset(out, 0, sizeof *out);
    if (in == nullptr) return;
    uint16_t family;
    std::memcpy(&family, in, sizeof family);
    if (family == kSilFamilyIPv4) std::memcpy(out, in, ipv4Bytes);
    if (family == kSilFamilyIPv6) std::memcpy(out, in, ipv6Bytes);
}

}  // namespace

void CopyAddressRecord(SilAddressRecord* out, const DriverAddressRecordShort* in) noexcept {
    CopyLeadingBytes(out, in, 8, sizeof *in);
    // The short layout's port field is not filled in by the driver.
    out->port = 0;
}

void CopyAddressRecord(SilAddressRecord* out, const DriverAddressRecord* in) noexcept {
    CopyLeadingBytes(out, in, 8, sizeof *in);
}

void CopyAddressRecord(SilAddressRecord* out, const SilAddressRecord* in) noexcept {
    CopyLeadingBytes(out, in, 12, sizeof *in);
}

uint16_t AddressRecordPort(const SilAddressRecord* record) noexcept {
    return record != nullptr && HoldsAddress(record->family) ? record->port : 0;
}

bool EqualIPv4Records(const SilAddressRecord* a, const SilAddressRecord* b,
                      bool comparePrefix) noexcept {
    return a != nullptr && b != nullptr && a->family == kSilFamilyIPv4 &&
           b->family == kSilFamilyIPv4 && a->v4.address == b->v4.address && a->port == b->port &&
           (!comparePrefix || a->v4.prefixLength == b->v4.prefixLength);
}

bool EqualIPv6Records(const SilAddressRecord* a, const SilAddressRecord* b,
                      bool comparePrefix) noexcept {
    return a != nullptr && b != nullptr && a->family == kSilFamilyIPv6 &&
           b->family == kSilFamilyIPv6 &&
           std::memcmp(a->v6.address, b->v6.address, sizeof a->v6.address) == 0 &&
           a->v6.scopeId == b->v6.scopeId && a->port == b->port &&
           (!comparePrefix || a->v6.prefixLength == b->v6.prefixLength);
}

uint8_t PrefixFromIPv4Mask(uint32_t maskNetworkOrder) noexcept {
    uint32_t mask = NetworkToHost32(maskNetworkOrder);
    uint8_t prefix = 32;
    while (prefix != 0 && (mask & 1) == 0) {
        mask >>= 1;
        --prefix;
    }
    return prefix;
}

uint32_t PrefixFromIPv6Mask(const uint8_t mask[16], uint8_t* prefix) noexcept {
    if (prefix == nullptr) return kSilInvalidArgument;
    *prefix = 0;
    if (mask == nullptr) return kSilInvalidArgument;
    for (int i = 0; i < 16; ++i) {
        if (mask[i] == 0xFF) {
            *prefix = static_cast<uint8_t>(*prefix + 8);
            continue;
        }
        // The first partial byte ends the mask; it must be contiguous.
        for (uint8_t bits = 0; bits < 8; ++bits) {
            if (mask[i] == static_cast<uint8_t>(0xFF00 >> bits)) {
                *prefix = static_cast<uint8_t>(*prefix + bits);
                return kSilOk;
            }
        }
        return kSilInvalidArgument;
    }
    return kSilOk;
}

uint32_t IPv4MaskFromPrefix(uint8_t prefix, uint32_t* maskNetworkOrder) noexcept {
    if (maskNetworkOrder == nullptr || prefix > kSilIPv4MaxPrefix) return kSilInvalidArgument;
    *maskNetworkOrder = HostToNetwork32(prefix == 0 ? 0 : ~0u << (32 - prefix));
    return kSilOk;
}

uint32_t IPv6MaskFromPrefix(uint8_t prefix, uint8_t mask[16]) noexcept {
    if (mask == nullptr || prefix > kSilIPv6MaxPrefix) return kSilInvalidArgument;
    std::memset(mask, 0, 16);
    std::memset(mask, 0xFF, prefix / 8);
    if (prefix % 8 != 0) mask[prefix / 8] = static_cast<uint8_t>(0xFF00 >> (prefix % 8));
    return kSilOk;
}

uint32_t NetworkOfRecord(const SilAddressRecord* in, SilAddressRecord* out) noexcept {
    if (in == nullptr || out == nullptr) return kSilInvalidArgument;
    if (in->family == kSilFamilyIPv4) {
        uint32_t mask;
        if (IPv4MaskFromPrefix(in->v4.prefixLength, &mask) != kSilOk) return kSilInvalidArgument;
        *out = *in;
        out->v4.address &= mask;
        return kSilOk;
    }
    if (in->family == kSilFamilyIPv6) {
        uint8_t mask[16];
        if (IPv6MaskFromPrefix(in->v6.prefixLength, mask) != kSilOk) return kSilInvalidArgument;
        *out = *in;
        for (int i = 0; i < 16; ++i) out->v6.address[i] &= mask[i];
        return kSilOk;
    }
    return kSilInvalidArgument;
}

uint32_t CheckAddressInPrefix(const SilAddressRecord* address,
                              const SilAddressRecord* prefix) noexcept {
    if (address == nullptr || prefix == nullptr) return kSilInvalidArgument;
    if (address->family != prefix->family) return kSilNoMatch;
    if (prefix->family == kSilFamilyIPv4) {
        uint32_t mask;
        if (IPv4MaskFromPrefix(prefix->v4.prefixLength, &mask) != kSilOk) {
            return kSilInvalidArgument;
        }
        return ((address->v4.address ^ prefix->v4.address) & mask) == 0 ? kSilOk : kSilNoMatch;
    }
    if (prefix->family == kSilFamilyIPv6) {
        uint8_t mask[16];
        if (IPv6MaskFromPrefix(prefix->v6.prefixLength, mask) != kSilOk) {
            return kSilInvalidArgument;
        }
        for (int i = 0; i < 16; ++i) {
            if (((address->v6.address[i] ^ prefix->v6.address[i]) & mask[i]) != 0) {
                return kSilNoMatch;
            }
        }
        return kSilOk;
    }
    return kSilNoMatch;
}
