// What a record comes back as after format then parse (flags 0). Text does
// not carry everything a record holds; each such loss is named so that
// tests can assert it happened rather than skip the record. Shared with the
// formatter fuzzer.
#pragma once

#include <cstring>

#include "address/address_text.h"
#include "address/sil_address.h"

namespace roundtrip {

// The ways the record read back differs from the one written.
enum Loss : uint32_t {
    kFlowInfoDropped = 1,          // flow info has no text form
    kZeroPrefixNotWritten = 2,     // a zero prefix beside a non-zero address, port or zone
    kPrefixNotWritten = 4,         // NeverPrefix: the family default comes back
    kPortNotWritten = 8,           // NeverPort
    kBytesBeyondFieldsDropped = 16,  // bytes after the family's prefix byte
};

struct Expectation {
    uint32_t formatResult;    // what FormatAddressText returns
    bool parses;              // the text is an address (family 0 gives the empty text)
    SilAddressRecord record;  // what ParseAddressText gives back
    uint32_t losses;          // Loss bits that apply
};

inline Expectation Expect(const SilAddressRecord& in, uint32_t flags) {
    using namespace AddressFormatFlags;
    Expectation e{kAddressTextOk, false, {}, 0};
    const bool v4 = in.family == kSilFamilyIPv4;
    if (in.family == kSilFamilyEmpty) return e;
    if (!v4 && in.family != kSilFamilyIPv6) {
        e.formatResult = kAddressTextInvalidArgument;
        return e;
    }

    const uint8_t full = v4 ? kSilIPv4MaxPrefix : kSilIPv6MaxPrefix;
    const uint8_t prefix = v4 ? in.v4.prefixLength : in.v6.prefixLength;
    static constexpr uint8_t kZero[16] = {};
    const bool addressOrZoneNonZero = v4 ? in.v4.address != 0
                                   : std::memcmp(in.v6.address, kZero, 16) != 0 || in.v6.scopeId != 0;
    // The prefix comes back only when written; otherwise the family default.
    bool writesPrefix = prefix != full;
    if (flags & NeverPrefix) {
        writesPrefix = false;
        if (prefix != full) e.losses |= kPrefixNotWritten;
    } else if (flags & AlwaysPrefix) {
        writesPrefix = true;
    } else if (prefix == 0 && (in.port != 0 || addressOrZoneNonZero)) {
        writesPrefix = false;
        e.losses |= kZeroPrefixNotWritten;
    }
    if (writesPrefix && prefix > full) {
        e.formatResult = kAddressTextInvalidArgument;
        return e;
    }
    const bool writesPort = !(flags & NeverPort) && ((flags & AlwaysPort) || in.port != 0);
    if ((flags & NeverPort) && in.port != 0) e.losses |= kPortNotWritten;

    e.parses = true;
    SilAddressRecord& out = e.record;
    out.family = in.family;
    out.port = writesPort ? in.port : 0;
    if (v4) {
        out.v4.address = in.v4.address;
        out.v4.prefixLength = writesPrefix ? prefix : full;
    } else {
        std::memcpy(out.v6.address, in.v6.address, 16);
        out.v6.scopeId = in.v6.scopeId;
        out.v6.prefixLength = writesPrefix ? prefix : full;
        if (in.v6.flowInfo != 0) e.losses |= kFlowInfoDropped;
    }
    const size_t tail = v4 ? 9 : 29;
    const uint8_t* bytes = reinterpret_cast<const uint8_t*>(&in);
    for (size_t i = tail; i < sizeof in; ++i) {
        if (bytes[i] != 0) e.losses |= kBytesBeyondFieldsDropped;
    }
    return e;
}

}  // namespace roundtrip
