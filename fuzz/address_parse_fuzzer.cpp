// Fuzzes the address text parser on arbitrary UTF-16 with fuzzer-chosen
// flags and extra delimiters.
//
// Input: byte 0 the parse flags, byte 1 the count (0..3) of extra delimiter
// units that follow as little-endian pairs, then the text as little-endian
// pairs. The text is handed over in an allocation of exactly its length,
// with and without a terminator, so any read past the caller's bound or the
// terminator is caught by the address sanitizer.
//
// Checks: the bounded and the zero-terminated forms agree; a plain spelling
// is read as inet_pton reads it (address_inet_oracle.h); the shortcut for
// bare addresses accepts nothing the full parse does not, with the same
// record; a failed parse leaves the record zeroed; an accepted record is well
// formed and survives format then parse as far as text can carry it; the
// driver form and the list forms agree with the single parse.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "address/address_list.h"
#include "address/address_parse_state.h"
#include "address/address_text.h"
#include "fuzz/address_inet_oracle.h"
#include "fuzz/address_roundtrip_expect.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

bool IsZero(const void* data, size_t size) {
    const uint8_t* bytes = static_cast<const uint8_t*>(data);
    for (size_t i = 0; i < size; ++i) {
        if (bytes[i] != 0) return false;
    }
    return true;
}

// The units in an allocation of exactly their length (with a terminator when
// asked, and never null), so that a read past them is caught.
std::unique_ptr<char16_t[]> ExactCopy(const std::vector<char16_t>& units, bool terminated) {
    std::unique_ptr<char16_t[]> copy(new char16_t[units.size() + (terminated ? 1 : 0)]);
    std::copy(units.begin(), units.end(), copy.get());
    if (terminated) copy[units.size()] = 0;
    return copy;
}

std::vector<char16_t> Units(const uint8_t* data, size_t pairs) {
    std::vector<char16_t> units(pairs);
    for (size_t i = 0; i < pairs; ++i) {
        units[i] = static_cast<char16_t>(data[2 * i] | data[2 * i + 1] << 8);
    }
    return units;
}

void CheckPlainShortcut(const char16_t* text, size_t length, uint32_t flags) {
    SilAddressRecord plain;
    std::memset(&plain, 0, sizeof plain);
    if (!ParsePlainAddressText(text, length, flags, &plain)) {
        Require(IsZero(&plain, sizeof plain));
        return;
    }
    AddressParseState state;
    Require(RunAddressParse(text, length, nullptr, flags, &state) == kAddressTextOk);
    SilAddressRecord full;
    std::memset(&full, 0, sizeof full);
    PackParsedAddress(state, &full);
    Require(std::memcmp(&plain, &full, sizeof full) == 0);
}

void CheckAccepted(const SilAddressRecord& record) {
    Require(record.family == kSilFamilyIPv4 || record.family == kSilFamilyIPv6);
    if (record.family == kSilFamilyIPv4) {
        Require(record.v4.prefixLength <= 32 && IsZero(record.v4.zero, sizeof record.v4.zero));
    } else {
        Require(record.v6.prefixLength <= 128 && record.v6.flowInfo == 0);
    }
    char16_t text[kAddressTextCapacity];
    Require(FormatAddressText(&record, text, kAddressTextCapacity, nullptr, 0) == kAddressTextOk);
    SilAddressRecord back;
    Require(ParseAddressText(text, &back, nullptr, 0) == kAddressTextOk);
    const roundtrip::Expectation expected = roundtrip::Expect(record, 0);
    Require(std::memcmp(&back, &expected.record, sizeof back) == 0);
}

void CheckLists(const char16_t* text, const char16_t* extra, uint32_t flags) {
    SilAddressArray* list = nullptr;
    if (ParseAddressList(text, extra, flags, &list) == kAddressTextOk) {
        Require(list->count == CountAddressListEntries(text, extra));
        uint32_t needed = 0;
        FormatAddressList(list, nullptr, 0, &needed, 0);
        FreeAddressArray(list);
    } else {
        Require(list == nullptr);
    }
    EndpointPairList* pairs = nullptr;
    if (ParseEndpointPairList(text, extra, flags, &pairs) == kAddressTextOk) {
        std::vector<char16_t> out(1);
        uint32_t needed = 0;
        if (FormatEndpointPairList(pairs, nullptr, 0, &needed, 0) == kAddressTextBufferTooSmall) {
            out.resize(needed);
            Require(FormatEndpointPairList(pairs, out.data(), needed, &needed, 0) == kAddressTextOk);
        }
        FreeEndpointPairList(pairs);
    } else {
        Require(pairs == nullptr);
    }
}

// A plain spelling (flags 0, no extra delimiter that can occur in it) is
// read as the C library's inet_pton reads it.
void CheckAgainstInetPton(const std::vector<char16_t>& units, const char16_t* extra, uint32_t flags,
                          uint32_t result, const SilAddressRecord& record) {
    const std::u16string text(units.begin(), units.end());
    if (flags != 0 || !inet_oracle::IsPlainSpelling(text)) return;
    for (const char16_t* d = extra; *d; ++d)
        if (inet_oracle::IsPlainUnit(*d)) return;
    const inet_oracle::Plain expected = inet_oracle::Expected(std::string(text.begin(), text.end()));
    Require((result == kAddressTextOk) == expected.ok);
    if (!expected.ok) return;
    Require(record.family == (expected.v4 ? kSilFamilyIPv4 : kSilFamilyIPv6) && ntohs(record.port) == expected.port);
    if (expected.v4) {
        Require(std::memcmp(&record.v4.address, expected.bytes, 4) == 0 && record.v4.prefixLength == 32);
    } else {
        Require(std::memcmp(record.v6.address, expected.bytes, 16) == 0 && record.v6.prefixLength == 128 &&
                record.v6.scopeId == 0);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const uint32_t flags = data[0];
    const size_t extraCount = data[1] % 4;
    data += 2;
    size -= 2;
    if (size < 2 * extraCount) return 0;
    std::vector<char16_t> extra = Units(data, extraCount);
    extra.push_back(0);
    data += 2 * extraCount;
    size -= 2 * extraCount;

    const size_t length = size / 2;
    const std::vector<char16_t> units = Units(data, length);
    const std::unique_ptr<char16_t[]> boundedCopy = ExactCopy(units, false), terminatedCopy = ExactCopy(units, true);
    const char16_t* bounded = boundedCopy.get();
    const char16_t* terminated = terminatedCopy.get();

    SilAddressRecord record;
    const uint32_t result = ParseAddressText(bounded, length, &record, extra.data(), flags);
    SilAddressRecord again;
    Require(ParseAddressText(terminated, &again, extra.data(), flags) == result);
    Require(std::memcmp(&record, &again, sizeof record) == 0);
    CheckPlainShortcut(bounded, length, flags);
    CheckPlainShortcut(terminated, kAddressTextUnbounded, flags);

    CheckAgainstInetPton(units, extra.data(), flags, result, record);
    if (result == kAddressTextOk) {
        CheckAccepted(record);
    } else {
        Require(result == kAddressTextInvalid && IsZero(&record, sizeof record));
    }

    DriverAddressRecord driver;
    const uint32_t driverResult =
        ParseDriverAddressText(terminated, &driver, extra.data(), flags);
    SilAddressRecord withoutPrefix;
    Require(driverResult == ParseAddressText(terminated, &withoutPrefix, extra.data(),
                                             flags | AddressParseFlags::RejectPrefix));
    if (driverResult == kAddressTextOk) {
        Require(std::memcmp(&driver, &withoutPrefix,
                            withoutPrefix.family == kSilFamilyIPv4 ? 8 : sizeof driver) == 0);
    } else {
        Require(IsZero(&driver, sizeof driver));
    }

    CheckLists(terminated, extra.data(), flags);
    return 0;
}
