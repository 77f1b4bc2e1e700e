// What a record comes back as after it is formatted under some flags and
// parsed back: text does not carry everything a record holds (flow info, a
// prefix or port the flags leave out, a zero prefix beside anything else,
// bytes after the family's prefix byte). Shared by the address fuzz targets.
#pragma once

#include <cstring>

#include "address/address_text.h"
#include "address/sil_address.h"

namespace roundtrip {

struct Expectation {
    uint32_t formatResult;    // what FormatAddressText returns
    bool parses;              // the text is an address (family 0 gives the empty text)
    SilAddressRecord record;  // what ParseAddressText gives back
};

inline Expectation Expect(const SilAddressRecord& in, uint32_t flags) {
    using namespace AddressFormatFlags;
    Expectation e{kAddressTextOk, false, {}};
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
    } else if (flags & AlwaysPrefix) {
        writesPrefix = true;
    } else if (prefix == 0 && (in.port != 0 || addressOrZoneNonZero)) {
        writesPrefix = false;
    }
    if (writesPrefix && prefix > full) {
        e.formatResult = kAddressTextInvalidArgument;
        return e;
    }
    const bool writesPort = !(flags & NeverPort) && ((flags & AlwaysPort) || in.port != 0);

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
    }
    return e;
}

}  // namespace roundtrip
