// Helpers shared by the address tests: records built with the C library's
// own parser (an independent oracle for the bytes), and readable text for
// failure messages.
#pragma once

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#endif

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "address/address_text.h"
#include "address/sil_address.h"

inline std::u16string U16(const std::string& text) {
    return std::u16string(text.begin(), text.end());
}

inline std::string Narrow(const std::u16string& text) {
    std::string out;
    for (char16_t c : text) out += c < 128 ? static_cast<char>(c) : '?';
    return out;
}

inline SilAddressRecord EmptyRecord() {
    SilAddressRecord r;
    std::memset(&r, 0, sizeof r);
    return r;
}

inline SilAddressRecord V4(const char* address, uint16_t port = 0, uint8_t prefix = 32) {
    SilAddressRecord r = EmptyRecord();
    r.family = kSilFamilyIPv4;
    r.port = htons(port);
    if (inet_pton(AF_INET, address, &r.v4.address) != 1) std::abort();
    r.v4.prefixLength = prefix;
    return r;
}

inline SilAddressRecord V6(const char* address, uint16_t port = 0, uint8_t prefix = 128,
                           uint32_t zone = 0) {
    SilAddressRecord r = EmptyRecord();
    r.family = kSilFamilyIPv6;
    r.port = htons(port);
    if (inet_pton(AF_INET6, address, r.v6.address) != 1) std::abort();
    r.v6.scopeId = zone;
    r.v6.prefixLength = prefix;
    return r;
}

inline bool SameRecord(const SilAddressRecord& a, const SilAddressRecord& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// The fields the record's family uses, then all 32 bytes.
inline std::string Describe(const SilAddressRecord& r) {
    char text[INET6_ADDRSTRLEN] = "";
    inet_ntop(r.family == kSilFamilyIPv4 ? AF_INET : AF_INET6,
              r.family == kSilFamilyIPv4 ? static_cast<const void*>(&r.v4.address) : r.v6.address,
              text, sizeof text);
    std::string out = "family " + std::to_string(r.family) + " " + text + " port " +
                      std::to_string(ntohs(r.port)) + " [";
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(&r);
    for (size_t i = 0; i < sizeof r; ++i) {
        out += "0123456789abcdef"[bytes[i] >> 4];
        out += "0123456789abcdef"[bytes[i] & 15];
    }
    return out + "]";
}

inline void ExpectRecord(const CSilAddress& value, const SilAddressRecord& expected, const char* what) {
    EXPECT_TRUE(SameRecord(*value.Record(), expected)) << what << ": " << Describe(*value.Record());
}

// The text, or "error 0x..." when the format fails.
inline std::string FormatToString(const SilAddressRecord& r, uint32_t flags) {
    char16_t buffer[kAddressTextCapacity];
    const uint32_t result = FormatAddressText(&r, buffer, kAddressTextCapacity, nullptr, flags);
    if (result != kAddressTextOk) {
        char out[32];
        std::snprintf(out, sizeof out, "error 0x%08x", result);
        return out;
    }
    return Narrow(buffer);
}
