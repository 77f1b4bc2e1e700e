// Fuzzes the composition of the status text on arbitrary driver answers and
// language modules, with the English table the DLL is built from.
//
// Input: state, phase and reason (4 bytes each, little-endian), a flags
// byte (1: traffic bypassed, 2: details answered, 4: hostile texts), then up
// to 1088 bytes of details record (zero-padded, as the library presets it).
// With flag 4 the rest is UTF-16 texts separated by 0xFFFF units that
// replace, in turn, the texts a module could make hostile: the two formats,
// the traffic, device, reason-label, phase and reason texts.
//
// Checks: the text stays within 1023 units and is terminated; a copy into
// any capacity follows the size rule and writes nothing past its capacity.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "resources/strings/source_string_table.h"
#include "core/caller_buffer.h"
#include "status/connection_status.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

uint32_t Word(const uint8_t* at) { return uint32_t(at[0]) | uint32_t(at[1]) << 8 | uint32_t(at[2]) << 16 | uint32_t(at[3]) << 24; }

const qlstrings::SourceStringTable& English() {
    static const qlstrings::SourceStringTable table = [] {
        qlstrings::StringSource source = qlstrings::ReadStringSourceFile(QLCLAPI_STRING_SOURCE);
        Require(source.error.empty());
        return qlstrings::SourceStringTable(source.entries);
    }();
    return table;
}

// The English table with the texts an input replaces: a copy of the whole
// table for every input would cost more than the composition itself.
class HostileTexts final : public qlclapi::StringTable {
public:
    void set(uint16_t id, const std::u16string& text) {
        replaced_.set(id, text);
        ids_.push_back(id);
    }
    size_t load(uint16_t id, char16_t* buffer, size_t capacity) const override {
        for (uint16_t replaced : ids_)
            if (replaced == id) return replaced_.load(id, buffer, capacity);
        return English().load(id, buffer, capacity);
    }

private:
    qlstrings::SourceStringTable replaced_;
    std::vector<uint16_t> ids_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    constexpr size_t kHeader = 13;
    if (size < kHeader) return 0;
    qlclapi::ConnectionSnapshot snapshot;
    snapshot.state = static_cast<int32_t>(Word(data));
    snapshot.connectingPhase = Word(data + 4);
    snapshot.disconnectReason = Word(data + 8);
    const uint8_t flags = data[12];
    snapshot.trafficBypassed = flags & 1;
    snapshot.detailsAnswered = flags & 2;
    const size_t recordBytes = std::min(size - kHeader, sizeof snapshot.details);
    memcpy(snapshot.details, data + kHeader, recordBytes);

    HostileTexts strings;
    if (flags & 4) {
        const uint16_t ids[] = {5016, 5017, 5012, 5014, 5015, uint16_t(34600 + snapshot.connectingPhase % 20),
                                uint16_t(34000 + snapshot.disconnectReason % 157)};
        size_t which = 0;
        std::u16string text;
        for (size_t at = kHeader + recordBytes; at + 1 < size && which < std::size(ids); at += 2) {
            const char16_t unit = static_cast<char16_t>(data[at] | data[at + 1] << 8);
            if (unit == 0xFFFF) {
                strings.set(ids[which++], text);
                text.clear();
            } else {
                text += unit;
            }
        }
        if (which < std::size(ids)) strings.set(ids[which], text);
    }

    qlclapi::StatusText text;
    ComposeStatusText(snapshot, strings, text);
    Require(text.length() <= 1023 && text.text()[text.length()] == 0);

    // The caller's buffer: exactly `capacity` units, a guard after them.
    const size_t capacity = size % 1100;
    std::vector<char16_t> buffer(capacity + 1, u'#');
    const bool copied = qlclapi::CopyCutToCapacity(text.text(), text.length(), buffer.data(), capacity);
    Require(copied == (capacity > text.length()));
    Require(buffer[capacity] == u'#');
    if (capacity) {
        const size_t units = copied ? text.length() : capacity - 1;
        Require(buffer[units] == 0 && memcmp(buffer.data(), text.text(), units * sizeof(char16_t)) == 0);
        for (size_t i = units + 1; i < capacity; ++i) Require(buffer[i] == u'#');
    }
    return 0;
}
