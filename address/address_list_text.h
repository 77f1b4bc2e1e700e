// Internal to the list forms: where entries end, and the two-pass writer that
// lets a list report its whole length before anything reaches the caller.
#pragma once

#include <cstddef>
#include <cstdint>

#include "address/address_text.h"
#include "address/address_text_builder.h"

inline bool IsExtraListDelimiter(char16_t c, const char16_t* extraDelimiters) noexcept {
    if (extraDelimiters == nullptr) return false;
    for (const char16_t* d = extraDelimiters; *d != 0; ++d) {
        if (*d == c) return true;
    }
    return false;
}

// ";" or an extra delimiter ends an entry.
inline bool EndsListEntry(char16_t c, const char16_t* extraDelimiters) noexcept {
    return c == u';' || IsExtraListDelimiter(c, extraDelimiters);
}

// The position of the next entry's end or of the end of the text.
inline const char16_t* FindListEntryEnd(const char16_t* pos,
                                        const char16_t* extraDelimiters) noexcept {
    while (*pos != 0 && !EndsListEntry(*pos, extraDelimiters)) ++pos;
    return pos;
}

// Counts when constructed without a buffer, writes when given one that the
// counting pass has shown to be large enough.
class ListTextWriter {
public:
    explicit ListTextWriter(char16_t* out) noexcept : out_(out) {}

    void Append(const char16_t* text, size_t length) noexcept {
        if (out_ != nullptr) {
            for (size_t i = 0; i < length; ++i) out_[length_ + i] = text[i];
        }
        length_ += length;
    }
    void Append(char16_t c) noexcept { Append(&c, 1); }
    void Append(const AddressTextBuilder& text) noexcept { Append(text.Text(), text.Length()); }

    uint64_t Length() const noexcept { return length_; }

private:
    char16_t* out_;
    uint64_t length_ = 0;
};

// Runs emit (uint32_t(ListTextWriter&)) once to measure and once to write,
// under the output protocol of the single-address formats.
template <typename Emit>
uint32_t FormatListText(char16_t* buffer, uint32_t capacity, uint32_t* needed,
                        Emit emit) noexcept {
    if (needed != nullptr) *needed = 0;
    if (buffer == nullptr && capacity != 0) return kAddressTextInvalidArgument;
    ListTextWriter measure(nullptr);
    uint32_t result = emit(measure);
    if (result != kAddressTextOk) return result;
    result = ReserveAddressTextOutput(measure.Length(), capacity, needed);
    if (result != kAddressTextOk || buffer == nullptr) return result;
    ListTextWriter write(buffer);
    emit(write);
    buffer[write.Length()] = 0;
    return kAddressTextOk;
}
