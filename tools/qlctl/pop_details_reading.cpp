#include "pop_details_reading.h"

#include <cstring>

namespace qlctl {

DetailsFetch FetchDetails(PFN_QuorlanGetPointOfPresenceDetailsEx get, std::vector<unsigned char>& buffer,
                          size_t& filled) {
    filled = 0;
    uint32_t size = get(nullptr, 0);
    for (int fetch = 0; fetch < kDetailsFetches; ++fetch) {
        if (size == 0) return DetailsFetch::None;
        if (size > kMaxDetailsBytes) return DetailsFetch::TooLarge;
        buffer.assign(size, 0);
        uint32_t total = get(buffer.data(), size);
        if (total == 0) return DetailsFetch::None;
        if (total <= size) {
            // A smaller total: the interface lost something in between, and
            // the library wrote only that much.
            filled = total;
            return DetailsFetch::Ok;
        }
        size = total;
    }
    return DetailsFetch::KeptGrowing;
}

namespace {

constexpr size_t kFixedBytes = sizeof(QlPointOfPresenceDetailsEx);
static_assert(sizeof(QlPointOfPresenceDetailsEx::socketAddress) == kSocketAddressBytes, "socket address room");

class PartReader {
public:
    PartReader(const unsigned char* buffer, size_t filled) : buffer_(buffer), filled_(filled) {}

    // The `length` bytes at `pointer`, which must lie behind the fixed part
    // and within the filled bytes. A part of length 0 may point anywhere.
    bool bytes(const void* pointer, uint32_t length, const char* what, std::vector<uint8_t>& out) {
        out.clear();
        if (length == 0) return true;
        const uintptr_t base = reinterpret_cast<uintptr_t>(buffer_), at = reinterpret_cast<uintptr_t>(pointer);
        if (at < base || at - base < kFixedBytes || at - base > filled_ || length > filled_ - (at - base)) {
            fault_ = std::string("the ") + what + " lies outside the record";
            return false;
        }
        const unsigned char* first = buffer_ + (at - base);
        out.assign(first, first + length);
        return true;
    }

    // A UTF-16 text of `length` bytes (terminator included), up to its first
    // terminator; a text without one ends with the part.
    bool text(const wchar_t* pointer, uint32_t length, const char* what, std::wstring& out) {
        out.clear();
        if (length % sizeof(wchar_t)) {
            fault_ = std::string("the ") + what + " has an odd number of bytes";
            return false;
        }
        std::vector<uint8_t> raw;
        if (!bytes(pointer, length, what, raw)) return false;
        for (size_t at = 0; at < raw.size(); at += sizeof(wchar_t)) {
            wchar_t unit;
            memcpy(&unit, &raw[at], sizeof unit);
            if (unit == L'\0') break;
            out += unit;
        }
        return true;
    }

    const std::string& fault() const { return fault_; }

private:
    const unsigned char* buffer_;
    size_t filled_;
    std::string fault_;
};

}  // namespace

std::string ReadDetails(const unsigned char* buffer, size_t filled, PopDetails& details) {
    if (filled < kFixedBytes)
        return "the record has " + std::to_string(filled) + " bytes, fewer than its fixed part's " +
               std::to_string(kFixedBytes);
    QlPointOfPresenceDetailsEx fixed;
    memcpy(&fixed, buffer, sizeof fixed);
    const QlPointOfPresenceDetails& d = fixed.details;
    // The first word names the layout; another one would be misread.
    if (d.size != sizeof(QlPointOfPresenceDetails))
        return "the record's fixed part says " + std::to_string(d.size) + " bytes, not " +
               std::to_string(sizeof(QlPointOfPresenceDetails));
    details.interfaceValue1 = d.interfaceValue1;
    details.interfaceValue2 = fixed.interfaceValue2;
    details.interfaceValue3 = fixed.interfaceValue3;
    memcpy(details.socketAddress, fixed.socketAddress, sizeof details.socketAddress);
    PartReader parts(buffer, filled);
    if (parts.bytes(d.physicalAddress, d.physicalAddressLength, "physical address", details.physicalAddress) &&
        parts.text(d.name, d.nameBytes, "interface name", details.name) &&
        parts.text(d.secondText, d.secondTextBytes, "second text", details.secondText) &&
        parts.bytes(d.trailingBytes, d.trailingLength, "trailing bytes", details.trailingBytes))
        return {};
    return parts.fault();
}

}  // namespace qlctl
