// The library's one value type for a network endpoint: an IPv4 or IPv6
// address with port, IPv6 scope id and flow info, and prefix length.
//
// SilAddressRecord is also the layout the driver reports addresses in, so its
// bytes are a wire format: the static_asserts below pin every offset. The
// driver's 24-byte and 28-byte records are leading parts of it.
//
// Portable: no platform headers. The conversions to and from the Windows
// socket structures are declared under _WIN32 and live in sil_address_win.cpp.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/status.h"

#ifdef _WIN32
struct sockaddr;
struct sockaddr_in;
struct sockaddr_in6;
struct sockaddr_storage;
union _SOCKADDR_INET;
struct _MIB_UNICASTIPADDRESS_ROW;
struct _IP_ADDRESS_PREFIX;

// The transport driver interface's IPv6 address. Its header, tdi.h, belongs
// to the driver kit and does not build in user mode, so the layout is given
// here: byte-packed, 26 bytes, port and address words in network order.
#ifndef __TDI_H
#pragma pack(push, 1)
typedef struct _TDI_ADDRESS_IP6 {
    uint16_t sin6_port;
    uint32_t sin6_flowinfo;
    uint16_t sin6_addr[8];
    uint32_t sin6_scope_id;
} TDI_ADDRESS_IP6;
#pragma pack(pop)
static_assert(sizeof(TDI_ADDRESS_IP6) == 26, "TDI_ADDRESS_IP6 is byte-packed");
#endif
#endif

// Family words as the platform numbers them (AF_INET, AF_INET6 on Windows).
constexpr uint16_t kSilFamilyEmpty = 0;
constexpr uint16_t kSilFamilyIPv4 = 2;
constexpr uint16_t kSilFamilyIPv6 = 23;

constexpr uint8_t kSilIPv4MaxPrefix = 32;
constexpr uint8_t kSilIPv6MaxPrefix = 128;

// Result codes of the address value's operations: the library's internal
// status codes (core/status.h) under the value's names.
constexpr uint32_t kSilOk = qlclapi::status::kOk;
constexpr uint32_t kSilNoMatch = qlclapi::status::kFailed;
constexpr uint32_t kSilInvalidArgument = qlclapi::status::kInvalidArgument;
constexpr uint32_t kSilBufferTooSmall = qlclapi::status::kAddressOutputTooSmall;

// All multi-byte network values in network byte order; scope id and flow
// info in host order, as the platform keeps them in its IPv6 socket address.
struct SilAddressIPv4Part {
    uint32_t address;      // network byte order
    uint8_t prefixLength;  // 0..32
    uint8_t zero[23];
};

struct SilAddressIPv6Part {
    uint8_t address[16];
    uint32_t scopeId;
    uint32_t flowInfo;
    uint8_t prefixLength;  // 0..128
    uint8_t zero[3];
};

struct SilAddressRecord {
    uint16_t family;
    uint16_t port;  // network byte order, 0 = no port
    union {
        SilAddressIPv4Part v4;
        SilAddressIPv6Part v6;
    };
};

// Bytes 0..27 of SilAddressRecord: no prefix byte.
struct DriverAddressRecord {
    uint16_t family;
    uint16_t port;
    union {
        struct {
            uint32_t address;
            uint8_t zero[20];
        } v4;
        struct {
            uint8_t address[16];
            uint32_t scopeId;
            uint32_t flowInfo;
        } v6;
    };
};

// Bytes 0..23 of SilAddressRecord: no flow info, no prefix byte.
struct DriverAddressRecordShort {
    uint16_t family;
    uint16_t port;
    union {
        struct {
            uint32_t address;
            uint8_t zero[16];
        } v4;
        struct {
            uint8_t address[16];
            uint32_t scopeId;
        } v6;
    };
};

static_assert(sizeof(SilAddressRecord) == 32, "SilAddressRecord is 32 bytes");
static_assert(offsetof(SilAddressRecord, family) == 0, "family at 0");
static_assert(offsetof(SilAddressRecord, port) == 2, "port at 2");
static_assert(offsetof(SilAddressRecord, v4.address) == 4, "IPv4 address at 4");
static_assert(offsetof(SilAddressRecord, v4.prefixLength) == 8, "IPv4 prefix at 8");
static_assert(offsetof(SilAddressRecord, v4.zero) == 9, "IPv4 zero tail at 9");
static_assert(offsetof(SilAddressRecord, v6.address) == 4, "IPv6 address at 4");
static_assert(offsetof(SilAddressRecord, v6.scopeId) == 20, "IPv6 scope id at 20");
static_assert(offsetof(SilAddressRecord, v6.flowInfo) == 24, "IPv6 flow info at 24");
static_assert(offsetof(SilAddressRecord, v6.prefixLength) == 28, "IPv6 prefix at 28");
static_assert(offsetof(SilAddressRecord, v6.zero) == 29, "IPv6 zero tail at 29");

static_assert(sizeof(DriverAddressRecord) == 28, "DriverAddressRecord is 28 bytes");
static_assert(offsetof(DriverAddressRecord, port) == 2, "driver port at 2");
static_assert(offsetof(DriverAddressRecord, v4.address) == 4, "driver IPv4 address at 4");
static_assert(offsetof(DriverAddressRecord, v6.address) == 4, "driver IPv6 address at 4");
static_assert(offsetof(DriverAddressRecord, v6.scopeId) == 20, "driver scope id at 20");
static_assert(offsetof(DriverAddressRecord, v6.flowInfo) == 24, "driver flow info at 24");

static_assert(sizeof(DriverAddressRecordShort) == 24, "DriverAddressRecordShort is 24 bytes");
static_assert(offsetof(DriverAddressRecordShort, port) == 2, "short port at 2");
static_assert(offsetof(DriverAddressRecordShort, v4.address) == 4, "short IPv4 address at 4");
static_assert(offsetof(DriverAddressRecordShort, v6.address) == 4, "short IPv6 address at 4");
static_assert(offsetof(DriverAddressRecordShort, v6.scopeId) == 20, "short scope id at 20");

// The result buffer of CSilAddress::ToText: the UTF-16 text, then the same
// text with each unit cut to its low byte for narrow callers.
constexpr size_t kSilAddressTextUnits = 80;
struct SilAddressText {
    char16_t wide[kSilAddressTextUnits];
    char narrow[kSilAddressTextUnits];
};

class CSilAddress {
public:
    CSilAddress() noexcept;
    CSilAddress(const CSilAddress& other) noexcept;
    CSilAddress& operator=(const CSilAddress& other) noexcept;
    virtual ~CSilAddress();

    // A null source or a family other than IPv4 or IPv6 gives the empty value.
    explicit CSilAddress(const DriverAddressRecordShort* record) noexcept;
    explicit CSilAddress(const DriverAddressRecord* record) noexcept;
    explicit CSilAddress(const SilAddressRecord* record) noexcept;
    // Parses with flags 0; text that does not parse gives the empty value.
    explicit CSilAddress(const char16_t* text) noexcept;

    // Ports are in host order here; the record keeps them in network order.
    static CSilAddress WithPort(const CSilAddress& source, uint16_t port) noexcept;
    static CSilAddress FromFamilyAndPort(uint16_t family, uint16_t port) noexcept;
    static CSilAddress WithPrefix(const CSilAddress& source, uint8_t prefixLength) noexcept;
    static CSilAddress NetworkOf(const CSilAddress& source) noexcept;
    // IPv4 addresses and masks are u32 values in network byte order.
    static CSilAddress IPv4WithPort(uint32_t address, uint16_t port) noexcept;
    static CSilAddress IPv4WithMask(uint32_t address, uint32_t mask) noexcept;
    static CSilAddress IPv4WithPrefix(uint32_t address, uint8_t prefixLength) noexcept;
    // A null 16-byte address (or mask) stands for all zero bytes.
    static CSilAddress IPv6WithMask(const uint8_t* address, const uint8_t* mask) noexcept;
    static CSilAddress IPv6WithPort(const uint8_t* address, uint16_t port) noexcept;
    static CSilAddress IPv6WithPrefix(const uint8_t* address, uint8_t prefixLength) noexcept;

    SilAddressRecord* Record() noexcept { return &record_; }
    const SilAddressRecord* Record() const noexcept { return &record_; }
    uint16_t Family() const noexcept { return record_.family; }
    bool IsIPv4() const noexcept { return record_.family == kSilFamilyIPv4; }
    bool IsIPv6() const noexcept { return record_.family == kSilFamilyIPv6; }
    bool IsEmpty() const noexcept { return !IsIPv4() && !IsIPv6(); }
    uint16_t Port() const noexcept;          // host order, 0 when empty
    uint8_t PrefixLength() const noexcept;   // 0 when empty

    // IPv4: record bytes 0..7; IPv6: bytes 0..27; empty: a zero family word.
    // needed is set to 0 first, then to the size needed on success and on
    // shortage; a short buffer is left untouched.
    uint32_t ToRecord(void* buffer, uint32_t size, uint32_t* needed) const noexcept;

    // The leading length bytes (8, 16, 24, 28 or 32) of the record, or of the
    // empty value when the record holds the other family (or none).
    uint32_t CopyIPv4Record(void* out, size_t length) const noexcept;
    uint32_t CopyIPv6Record(void* out, size_t length) const noexcept;

    // Parses into the record with the caller's AddressParseFlags; on failure
    // the family is 0. Returns the parse result code.
    uint32_t SetFromText(const char16_t* text, uint32_t flags) noexcept;
    // Formats with the caller's AddressFormatFlags; on failure both strings
    // of the buffer are empty. Returns text.
    SilAddressText* ToText(SilAddressText* text, uint32_t flags) const noexcept;

    bool operator==(const CSilAddress& other) const noexcept;
    bool operator!=(const CSilAddress& other) const noexcept { return !(*this == other); }

#ifdef _WIN32
    explicit CSilAddress(const wchar_t* text) noexcept
        : CSilAddress(reinterpret_cast<const char16_t*>(text)) {}
    uint32_t SetFromText(const wchar_t* text, uint32_t flags) noexcept {
        return SetFromText(reinterpret_cast<const char16_t*>(text), flags);
    }

    // Socket structure conversions (sil_address_win.cpp).
    explicit CSilAddress(const sockaddr* address) noexcept;
    explicit CSilAddress(const sockaddr_in* address) noexcept;
    explicit CSilAddress(const sockaddr_in6* address) noexcept;
    explicit CSilAddress(const _SOCKADDR_INET* address) noexcept;
    explicit CSilAddress(const _MIB_UNICASTIPADDRESS_ROW* row) noexcept;
    explicit CSilAddress(const _IP_ADDRESS_PREFIX* prefix) noexcept;
    explicit CSilAddress(const _TDI_ADDRESS_IP6* address) noexcept;
    uint32_t ToSockaddr(void* buffer, uint32_t size, uint32_t* needed) const noexcept;
    void ToSockaddrIn(sockaddr_in* out) const noexcept;
    void ToSockaddrIn6(sockaddr_in6* out) const noexcept;
    void ToSockaddrInet(_SOCKADDR_INET* out) const noexcept;
    void ToSockaddrStorage(sockaddr_storage* out) const noexcept;
    void ToIpAddressPrefix(_IP_ADDRESS_PREFIX* out) const noexcept;
#endif

private:
    SilAddressRecord record_;
};

static_assert(sizeof(CSilAddress) == sizeof(void*) + sizeof(SilAddressRecord),
              "CSilAddress is its table pointer followed by one record");

// ---- Record-level operations ----------------------------------------------

// Zero out, then copy the source when it holds IPv4 or IPv6, giving the
// record the constructors start from: IPv4 takes family, port and address
// (from a full record also the prefix byte and its zero tail); IPv6 takes
// the whole source. The short form clears the port. No prefix is set here.
void CopyAddressRecord(SilAddressRecord* out, const DriverAddressRecordShort* in) noexcept;
void CopyAddressRecord(SilAddressRecord* out, const DriverAddressRecord* in) noexcept;
void CopyAddressRecord(SilAddressRecord* out, const SilAddressRecord* in) noexcept;

// Port of a record in network order; 0 when null or neither IPv4 nor IPv6.
uint16_t AddressRecordPort(const SilAddressRecord* record) noexcept;

// Family-specific equality: both records must hold that family. IPv6 compares
// address, scope id and port; flow info never takes part.
bool EqualIPv4Records(const SilAddressRecord* a, const SilAddressRecord* b,
                      bool comparePrefix) noexcept;
bool EqualIPv6Records(const SilAddressRecord* a, const SilAddressRecord* b,
                      bool comparePrefix) noexcept;

// A non-contiguous mask gives 32 minus its trailing zero bits.
uint8_t PrefixFromIPv4Mask(uint32_t maskNetworkOrder) noexcept;
// kSilInvalidArgument for a byte that is no mask byte; prefix then holds the
// count of the leading 0xFF bytes times eight.
uint32_t PrefixFromIPv6Mask(const uint8_t mask[16], uint8_t* prefix) noexcept;
uint32_t IPv4MaskFromPrefix(uint8_t prefix, uint32_t* maskNetworkOrder) noexcept;
uint32_t IPv6MaskFromPrefix(uint8_t prefix, uint8_t mask[16]) noexcept;

// Clears the address bits beyond the record's prefix; port, scope id and
// prefix stay. kSilInvalidArgument for another family or a prefix too long.
uint32_t NetworkOfRecord(const SilAddressRecord* in, SilAddressRecord* out) noexcept;

// Whether address lies in the network given by prefix (its prefix length).
// kSilOk on a match, kSilNoMatch otherwise (also for different families),
// kSilInvalidArgument for a null record or a prefix length out of range.
uint32_t CheckAddressInPrefix(const SilAddressRecord* address,
                              const SilAddressRecord* prefix) noexcept;
inline bool IsAddressInPrefix(const SilAddressRecord* address,
                              const SilAddressRecord* prefix) noexcept {
    return CheckAddressInPrefix(address, prefix) == kSilOk;
}

// ---- Address arrays: a u32 count followed by records of 32 bytes ----------

struct SilAddressArray {
    uint32_t count;
    // count SilAddressRecords follow, at offset 4.
};

// Zero-filled room for capacity records, count 0; null when out of memory.
SilAddressArray* AllocateAddressArray(uint32_t capacity) noexcept;
// A copy holding the source's count records; null when out of memory.
SilAddressArray* DuplicateAddressArray(const SilAddressArray* source) noexcept;
void FreeAddressArray(SilAddressArray* array) noexcept;
inline SilAddressRecord* AddressArrayRecords(SilAddressArray* array) noexcept {
    return reinterpret_cast<SilAddressRecord*>(reinterpret_cast<unsigned char*>(array) + 4);
}
inline const SilAddressRecord* AddressArrayRecords(const SilAddressArray* array) noexcept {
    return reinterpret_cast<const SilAddressRecord*>(
        reinterpret_cast<const unsigned char*>(array) + 4);
}
