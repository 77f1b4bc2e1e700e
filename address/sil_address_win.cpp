// Conversions between CSilAddress and the Windows socket address structures.
// Only the structure layouts are used: the library must not import the
// socket or IP helper libraries, so nothing here calls into them.
#include <winsock2.h>
#include <ws2ipdef.h>
#include <iphlpapi.h>

#include <cstring>

#include "address/sil_address.h"
#include "address/sil_address_output.h"

static_assert(AF_INET == kSilFamilyIPv4 && AF_INET6 == kSilFamilyIPv6,
              "record family words are the platform's");
static_assert(sizeof(SOCKADDR_IN) == 16 && sizeof(SOCKADDR_IN6) == 28, "socket address sizes");

namespace {

void FromSockaddrIn(SilAddressRecord& record, const SOCKADDR_IN& in) noexcept {
    std::memset(&record, 0, sizeof record);
    if (in.sin_family != AF_INET) return;
    record.family = kSilFamilyIPv4;
    record.port = in.sin_port;
    std::memcpy(&record.v4.address, &in.sin_addr, 4);
    record.v4.prefixLength = kSilIPv4MaxPrefix;
}

void FromSockaddrIn6(SilAddressRecord& record, const SOCKADDR_IN6& in) noexcept {
    std::memset(&record, 0, sizeof record);
    if (in.sin6_family != AF_INET6) return;
    record.family = kSilFamilyIPv6;
    record.port = in.sin6_port;
    record.v6.flowInfo = in.sin6_flowinfo;
    std::memcpy(record.v6.address, &in.sin6_addr, 16);
    record.v6.scopeId = in.sin6_scope_id;
    record.v6.prefixLength = kSilIPv6MaxPrefix;
}

void FromSockaddrInet(SilAddressRecord& record, const SOCKADDR_INET& in) noexcept {
    if (in.si_family == AF_INET6) {
        FromSockaddrIn6(record, in.Ipv6);
    } else {
        FromSockaddrIn(record, in.Ipv4);
    }
}

void SetPrefix(SilAddressRecord& record, uint8_t prefixLength) noexcept {
    if (record.family == kSilFamilyIPv4) record.v4.prefixLength = prefixLength;
    if (record.family == kSilFamilyIPv6) record.v6.prefixLength = prefixLength;
}

// Fills an already zeroed structure.
void WriteSockaddrIn(const SilAddressRecord& record, SOCKADDR_IN& out) noexcept {
    out.sin_family = AF_INET;
    out.sin_port = record.port;
    std::memcpy(&out.sin_addr, &record.v4.address, 4);
}

void WriteSockaddrIn6(const SilAddressRecord& record, SOCKADDR_IN6& out) noexcept {
    out.sin6_family = AF_INET6;
    out.sin6_port = record.port;
    out.sin6_flowinfo = record.v6.flowInfo;
    std::memcpy(&out.sin6_addr, record.v6.address, 16);
    out.sin6_scope_id = record.v6.scopeId;
}

// Writes the value's own structure into zeroed storage of at least 28 bytes.
void WriteSockaddrInet(const SilAddressRecord& record, SOCKADDR_INET& out) noexcept {
    if (record.family == kSilFamilyIPv4) WriteSockaddrIn(record, out.Ipv4);
    if (record.family == kSilFamilyIPv6) WriteSockaddrIn6(record, out.Ipv6);
}

}  // namespace

CSilAddress::CSilAddress(const sockaddr* address) noexcept {
    std::memset(&record_, 0, sizeof record_);
    if (address == nullptr) return;
    if (address->sa_family == AF_INET) {
        FromSockaddrIn(record_, *reinterpret_cast<const SOCKADDR_IN*>(address));
    } else if (address->sa_family == AF_INET6) {
        FromSockaddrIn6(record_, *reinterpret_cast<const SOCKADDR_IN6*>(address));
    }
}

CSilAddress::CSilAddress(const sockaddr_in* address) noexcept {
    std::memset(&record_, 0, sizeof record_);
    if (address != nullptr) FromSockaddrIn(record_, *address);
}

CSilAddress::CSilAddress(const sockaddr_in6* address) noexcept {
    std::memset(&record_, 0, sizeof record_);
    if (address != nullptr) FromSockaddrIn6(record_, *address);
}

CSilAddress::CSilAddress(const _SOCKADDR_INET* address) noexcept {
    std::memset(&record_, 0, sizeof record_);
    if (address != nullptr) FromSockaddrInet(record_, *address);
}

CSilAddress::CSilAddress(const _MIB_UNICASTIPADDRESS_ROW* row) noexcept {
    std::memset(&record_, 0, sizeof record_);
    if (row == nullptr) return;
    FromSockaddrInet(record_, row->Address);
    SetPrefix(record_, row->OnLinkPrefixLength);
}

CSilAddress::CSilAddress(const _IP_ADDRESS_PREFIX* prefix) noexcept {
    std::memset(&record_, 0, sizeof record_);
    if (prefix == nullptr) return;
    FromSockaddrInet(record_, prefix->Prefix);
    SetPrefix(record_, prefix->PrefixLength);
}

CSilAddress::CSilAddress(const _TDI_ADDRESS_IP6* address) noexcept {
    std::memset(&record_, 0, sizeof record_);
    if (address == nullptr) return;
    record_.family = kSilFamilyIPv6;
    std::memcpy(&record_.port, &address->sin6_port, 2);
    std::memcpy(&record_.v6.flowInfo, &address->sin6_flowinfo, 4);
    std::memcpy(record_.v6.address, address->sin6_addr, 16);
    std::memcpy(&record_.v6.scopeId, &address->sin6_scope_id, 4);
    record_.v6.prefixLength = kSilIPv6MaxPrefix;
}

uint32_t CSilAddress::ToSockaddr(void* buffer, uint32_t size, uint32_t* needed) const noexcept {
    const uint32_t need = IsIPv4() ? sizeof(SOCKADDR_IN) : IsIPv6() ? sizeof(SOCKADDR_IN6) : 2;
    const uint32_t result = ReserveSilOutput(buffer, size, need, needed);
    if (result != kSilOk) return result;
    // Built on the side so that exactly need bytes reach the caller.
    SOCKADDR_INET out;
    std::memset(&out, 0, sizeof out);
    WriteSockaddrInet(record_, out);
    std::memcpy(buffer, &out, need);
    return kSilOk;
}

void CSilAddress::ToSockaddrIn(sockaddr_in* out) const noexcept {
    if (out == nullptr) return;
    std::memset(out, 0, sizeof *out);
    if (IsIPv4()) WriteSockaddrIn(record_, *out);
}

void CSilAddress::ToSockaddrIn6(sockaddr_in6* out) const noexcept {
    if (out == nullptr) return;
    std::memset(out, 0, sizeof *out);
    if (IsIPv6()) WriteSockaddrIn6(record_, *out);
}

void CSilAddress::ToSockaddrInet(_SOCKADDR_INET* out) const noexcept {
    if (out == nullptr) return;
    std::memset(out, 0, sizeof *out);
    WriteSockaddrInet(record_, *out);
}

void CSilAddress::ToSockaddrStorage(sockaddr_storage* out) const noexcept {
    if (out == nullptr) return;
    std::memset(out, 0, sizeof *out);
    WriteSockaddrInet(record_, *reinterpret_cast<SOCKADDR_INET*>(out));
}

void CSilAddress::ToIpAddressPrefix(_IP_ADDRESS_PREFIX* out) const noexcept {
    if (out == nullptr) return;
    std::memset(out, 0, sizeof *out);
    if (IsEmpty()) return;
    WriteSockaddrInet(record_, out->Prefix);
    out->PrefixLength = PrefixLength();
}
