#include "address_words.h"

#include <winsock2.h>
#include <ws2ipdef.h>

#include <cstring>
#include <cwchar>
#include <iterator>

// ntdll's address conversions, declared here because MinGW's <mstcpip.h>
// gives them no C linkage.
extern "C" {
LONG NTAPI RtlIpv4StringToAddressExW(const wchar_t* text, BOOLEAN strict, IN_ADDR* address, USHORT* port);
LONG NTAPI RtlIpv6StringToAddressExW(const wchar_t* text, IN6_ADDR* address, ULONG* scopeId, USHORT* port);
LONG NTAPI RtlIpv4AddressToStringExW(const IN_ADDR* address, USHORT port, wchar_t* text, ULONG* units);
LONG NTAPI RtlIpv6AddressToStringExW(const IN6_ADDR* address, ULONG scopeId, USHORT port, wchar_t* text,
                                     ULONG* units);
}

namespace qlsim {

namespace {

// The record: family (u16, host order) at 0, port at 2 and the address at 4
// in network order as the platform's structures hold them, and for IPv6 the
// scope id at 20.
constexpr size_t kPortAt = 2, kAddressAt = 4, kScopeAt = 20;

template <typename T>
void Put(AddressRecord& record, size_t at, const T& value) {
    memcpy(record.data() + at, &value, sizeof value);
}

template <typename T>
T Get(const AddressRecord& record, size_t at) {
    T value;
    memcpy(&value, record.data() + at, sizeof value);
    return value;
}

}  // namespace

const char kAddressForms[] =
    "10.1.2.3, 10.1.2.3:5008, ::1, fe80::1%7, [fe80::1%7]:5008 (no prefix), or none";

bool ParseAddressWord(const std::wstring& word, AddressRecord& record) {
    record = AddressRecord{};
    if (word == L"none") return true;
    USHORT port = 0;  // network order
    IN_ADDR v4;
    if (RtlIpv4StringToAddressExW(word.c_str(), TRUE, &v4, &port) == 0) {
        Put(record, 0, uint16_t(AF_INET));
        Put(record, kPortAt, port);
        Put(record, kAddressAt, v4);
        return true;
    }
    IN6_ADDR v6;
    ULONG scope = 0;
    if (RtlIpv6StringToAddressExW(word.c_str(), &v6, &scope, &port) == 0) {
        Put(record, 0, uint16_t(AF_INET6));
        Put(record, kPortAt, port);
        Put(record, kAddressAt, v6);
        Put(record, kScopeAt, scope);
        return true;
    }
    return false;
}

std::string AddressWord(const AddressRecord& record) {
    const uint16_t family = Get<uint16_t>(record, 0);
    if (family == 0) return "none";
    const USHORT port = Get<USHORT>(record, kPortAt);
    wchar_t text[80];  // the longest, "[IPv6%scope]:port", is 65 units with its terminator
    ULONG units = ULONG(std::size(text));
    LONG status = -1;
    if (family == AF_INET) {
        const IN_ADDR v4 = Get<IN_ADDR>(record, kAddressAt);
        status = RtlIpv4AddressToStringExW(&v4, port, text, &units);
    } else if (family == AF_INET6) {
        const IN6_ADDR v6 = Get<IN6_ADDR>(record, kAddressAt);
        status = RtlIpv6AddressToStringExW(&v6, Get<ULONG>(record, kScopeAt), port, text, &units);
    }
    if (status != 0) return "family " + std::to_string(family);
    // The platform's address texts are ASCII.
    return std::string(text, text + wcslen(text));
}

}  // namespace qlsim
