// A text in a fixed buffer of Capacity UTF-16 units: at most Capacity - 1
// characters and a terminator, always terminated. Every append is cut at
// that limit, so no input can make a text longer than its buffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "status/one_string_format.h"
#include "status/string_table.h"

namespace qlclapi {

template <size_t Capacity>
class BoundedText {
    static_assert(Capacity > 1, "room for a character and the terminator");

public:
    static constexpr size_t kCapacity = Capacity;

    const char16_t* text() const { return units_; }
    size_t length() const { return length_; }
    bool empty() const { return length_ == 0; }

    void append(const char16_t* text, size_t units) {
        const size_t room = Capacity - 1 - length_;
        if (units > room) units = room;
        memcpy(units_ + length_, text, units * sizeof(char16_t));
        length_ += units;
        units_[length_] = 0;
    }
    template <size_t Other>
    void append(const BoundedText<Other>& other) {
        append(other.text(), other.length());
    }
    void appendLineBreak() { append(u"\r\n", 2); }

    // The text becomes text(id), or empty when the id has none.
    void load(const StringTable& strings, uint64_t id) { length_ = LoadText(strings, id, units_, Capacity); }

    // The text becomes text(id) with `argument` in place of its %s. The
    // format is loaded into a scratch of this text's capacity; when the id
    // has no text the text stays as it was.
    void format(const StringTable& strings, uint64_t id, const char16_t* argument, size_t argumentUnits) {
        char16_t pattern[Capacity] = {};
        const size_t patternUnits = LoadText(strings, id, pattern, Capacity);
        if (patternUnits == 0) return;
        length_ = FormatOneString(pattern, patternUnits, argument, argumentUnits, units_, Capacity);
    }

private:
    char16_t units_[Capacity] = {};
    size_t length_ = 0;
};

}  // namespace qlclapi
