// Internal to the list forms: where entries end, and the two-pass writer that
// lets a list report its whole length before anything reaches the caller.
#pragma once

#include <cstddef>
#include <cstdint>

#include "address/address_list.h"
#include "address/address_text.h"
#include "address/address_text_builder.h"
#include "address/counted_block.h"
#include "core/heap_buffer.h"

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

// Parses every entry of text into a new block of a u32 count and count
// zero-filled Entry values, with parse(entryText, Entry&) for each in order.
// The first entry that does not give kAddressTextOk frees the block and
// gives its code; the caller frees a block it receives with ReleaseBlock.
template <typename Block, typename Entry, typename ParseEntry>
uint32_t ParseIntoCountedBlock(const char16_t* text, const char16_t* extraDelimiters,
                               Block** list, ParseEntry parse) noexcept {
    if (list == nullptr) return kAddressTextInvalidArgument;
    *list = nullptr;
    if (text == nullptr) return kAddressTextInvalidArgument;

    const uint32_t count = CountAddressListEntries(text, extraDelimiters);
    const size_t bytes = CountedBlockBytes(count, sizeof(Entry));
    Block* block = bytes != 0 ? static_cast<Block*>(qlclapi::AllocateZeroed(bytes)) : nullptr;
    if (block == nullptr) return kAddressTextNoMemory;
    Entry* entries = reinterpret_cast<Entry*>(reinterpret_cast<unsigned char*>(block) + 4);
    const char16_t* pos = text;
    for (uint32_t i = 0; i < count; ++i) {
        const uint32_t result = parse(pos, entries[i]);
        if (result != kAddressTextOk) {
            qlclapi::ReleaseBlock(block);
            return result;
        }
        pos = FindListEntryEnd(pos, extraDelimiters);
        if (*pos != 0) ++pos;
    }
    block->count = count;
    *list = block;
    return kAddressTextOk;
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

// The entries of a counted block, each written by append (uint32_t(const
// Entry&, ListTextWriter&)), joined by ";".
template <typename Entry, typename Block, typename AppendEntry>
uint32_t FormatCountedBlock(const Block* list, char16_t* buffer, uint32_t capacity,
                            uint32_t* needed, AppendEntry append) noexcept {
    if (list == nullptr) {
        if (needed != nullptr) *needed = 0;
        return kAddressTextInvalidArgument;
    }
    const Entry* entries =
        reinterpret_cast<const Entry*>(reinterpret_cast<const unsigned char*>(list) + 4);
    return FormatListText(buffer, capacity, needed, [&](ListTextWriter& out) -> uint32_t {
        for (uint32_t i = 0; i < list->count; ++i) {
            if (i > 0) out.Append(u';');
            const uint32_t result = append(entries[i], out);
            if (result != kAddressTextOk) return result;
        }
        return kAddressTextOk;
    });
}

// Appends one record as FormatAddressText writes it.
inline uint32_t AppendAddressText(const SilAddressRecord& record, uint32_t flags,
                                  ListTextWriter& out) noexcept {
    AddressTextBuilder text;
    const uint32_t result = BuildAddressText(record, flags, text);
    if (result == kAddressTextOk) out.Append(text);
    return result;
}
