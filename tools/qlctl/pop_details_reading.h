// The point-of-presence details as QuorlanGetPointOfPresenceDetailsEx hands
// them over: a record in qlctl's buffer whose pointers point back into that
// buffer. Nothing in it is taken on trust: every part is read only when it
// lies whole within the bytes the library said it filled.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "address_texts.h"
#include "qlclapi.h"

namespace qlctl {

// A record larger than this is no details record: the fixed part and the
// largest parts an interface entry can hold come to under 2 KB.
constexpr uint32_t kMaxDetailsBytes = 64 * 1024;
// The interface table may change between the size query and the fetch;
// this many fetches, each with the size the last one asked for.
constexpr int kDetailsFetches = 4;

enum class DetailsFetch {
    Ok,
    None,         // the library answered 0: no point of presence, or no driver
    KeptGrowing,  // every fetch asked for more room than the one before
    TooLarge,     // a size beyond kMaxDetailsBytes
};

// Size query, then fetch into `buffer`; on Ok `filled` is the part of the
// buffer the library's answer covers.
DetailsFetch FetchDetails(PFN_QuorlanGetPointOfPresenceDetailsEx get, std::vector<unsigned char>& buffer,
                          size_t& filled);

struct PopDetails {
    uint32_t interfaceValue1 = 0;
    uint64_t interfaceValue2 = 0;
    uint64_t interfaceValue3 = 0;
    unsigned char socketAddress[kSocketAddressBytes] = {};
    std::vector<uint8_t> physicalAddress;
    std::wstring name;        // up to its first terminator
    std::wstring secondText;  // up to its first terminator
    std::vector<uint8_t> trailingBytes;
};

// Reads the record from the first `filled` bytes of `buffer`. Empty on
// success; otherwise what does not hold together, and `details` is partial.
std::string ReadDetails(const unsigned char* buffer, size_t filled, PopDetails& details);

}  // namespace qlctl
