#include "config/multi_string.h"

namespace qlclapi {

namespace {

char16_t Folded(char16_t unit) { return unit >= u'A' && unit <= u'Z' ? char16_t(unit - u'A' + u'a') : unit; }

// One entry of a bounded list: where it starts and how many units it has
// before its terminator (or before the limit).
struct Entry {
    const char16_t* text;
    size_t length;
};

// Walks the entries of a bounded list; the list ends at an empty entry or
// at the limit.
class EntryWalker {
public:
    EntryWalker(const char16_t* list, size_t limit) : list_(list), limit_(list ? limit : 0) {}

    bool next(Entry& entry) {
        if (at_ >= limit_ || list_[at_] == 0) return false;
        size_t start = at_;
        while (at_ < limit_ && list_[at_] != 0) ++at_;
        entry = {list_ + start, at_ - start};
        if (at_ < limit_) ++at_;  // past the terminator
        return true;
    }

private:
    const char16_t* list_;
    size_t limit_;
    size_t at_ = 0;
};

bool EntryIs(const Entry& entry, const char16_t* name) {
    size_t i = 0;
    for (; i < entry.length; ++i)
        if (name[i] == 0 || Folded(entry.text[i]) != Folded(name[i])) return false;
    return name[i] == 0;
}

size_t NameLength(const char16_t* name) {
    size_t length = 0;
    while (name[length]) ++length;
    return length;
}

// Appends text and its terminator at *at when it fits in capacity units.
bool Put(char16_t* destination, size_t capacity, size_t& at, const char16_t* text, size_t length) {
    if (capacity - at < length + 1) return false;
    for (size_t i = 0; i < length; ++i) destination[at++] = text[i];
    destination[at++] = 0;
    return true;
}

}  // namespace

bool SameNameIgnoringCase(const char16_t* a, const char16_t* b) noexcept {
    if (!a || !b) return false;
    size_t i = 0;
    for (; a[i] && b[i]; ++i)
        if (Folded(a[i]) != Folded(b[i])) return false;
    return a[i] == b[i];
}

size_t MultiStringSize(const char16_t* list, size_t limit) noexcept {
    size_t units = 1;  // the final terminator
    EntryWalker walker(list, limit);
    for (Entry entry; walker.next(entry);) units += entry.length + 1;
    return units * 2;
}

bool MultiStringContains(const char16_t* list, size_t limit, const char16_t* name) noexcept {
    if (!name || !name[0]) return false;
    EntryWalker walker(list, limit);
    for (Entry entry; walker.next(entry);)
        if (EntryIs(entry, name)) return true;
    return false;
}

size_t MultiStringJoin(char16_t* destination, size_t capacity, const char16_t* list, size_t limit,
                       const char16_t* name, bool atEnd) noexcept {
    if (!destination || !name || !name[0]) return 0;
    const size_t nameLength = NameLength(name);
    size_t at = 0;
    if (!atEnd && !Put(destination, capacity, at, name, nameLength)) return 0;
    EntryWalker walker(list, limit);
    for (Entry entry; walker.next(entry);)
        if (!Put(destination, capacity, at, entry.text, entry.length)) return 0;
    if (atEnd && !Put(destination, capacity, at, name, nameLength)) return 0;
    if (at >= capacity) return 0;
    destination[at++] = 0;
    return at * 2;
}

size_t MultiStringRemove(char16_t* destination, size_t capacity, const char16_t* list, size_t limit,
                         const char16_t* name) noexcept {
    if (!destination || capacity == 0) return 0;
    size_t at = 0;
    size_t kept = 0;
    EntryWalker walker(list, limit);
    for (Entry entry; walker.next(entry);) {
        if (name && EntryIs(entry, name)) continue;
        // Keep room for the final terminator behind every entry.
        if (capacity - at < entry.length + 2) {
            destination[0] = 0;
            return 0;
        }
        Put(destination, capacity, at, entry.text, entry.length);
        ++kept;
    }
    destination[at++] = 0;
    return kept ? at * 2 : 0;
}

}  // namespace qlclapi
