// Fuzzes the configuration store's two pieces of list bookkeeping on
// arbitrary input: the multi-string operations behind a service's
// dependency list, and the chunked binary value's reading and writing.
//
// Input: byte 0 chooses the target.
//  - even: the rest is a name (up to the first zero unit, at most 16 units)
//    and a list of UTF-16 units held in an allocation of exactly its
//    length, so that a read past the list is caught by the address
//    sanitizer. Checks: sizes are even and at least 2, written lists fit
//    their room and end in two terminators, an added name is found, a
//    removed one is not, and the plan's room always suffices.
//  - odd: the rest describes a chain (per piece: present flag and a size of
//    up to 4095 bytes; at most kMostPieces pieces) and a capacity; the chain is read from an in-memory
//    registry into a buffer of exactly that capacity. Checks: the total is
//    the sum of the pieces up to the first missing or empty one, the bytes
//    that fitted are the pieces' bytes in order, and a write followed by a
//    read gives back the data.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "config/chunk_chain.h"
#include "config/dependency_edit.h"
#include "config/multi_string.h"

namespace {

using namespace qlclapi;

void Require(bool condition) {
    if (!condition) std::abort();
}

void CheckWrittenList(const char16_t* list, size_t bytes, size_t capacity) {
    Require(bytes % 2 == 0 && bytes / 2 <= capacity && bytes >= 4);
    Require(list[bytes / 2 - 1] == 0 && list[bytes / 2 - 2] == 0);
}

void FuzzLists(const uint8_t* data, size_t size) {
    std::u16string name;
    size_t at = 0;
    while (at + 1 < size && name.size() < 16) {
        char16_t unit = char16_t(data[at] | data[at + 1] << 8);
        at += 2;
        if (!unit) break;
        name += unit;
    }
    const size_t units = (size - at) / 2;
    std::unique_ptr<char16_t[]> list(new char16_t[units ? units : 1]);
    std::memcpy(list.get(), data + at, units * 2);

    const size_t listBytes = MultiStringSize(list.get(), units);
    // A list cut by its limit gains at most a terminator for its last entry and the final one.
    Require(listBytes >= 2 && listBytes % 2 == 0 && listBytes / 2 <= units + 2);
    const bool present = MultiStringContains(list.get(), units, name.c_str());
    Require(!present || !name.empty());

    const size_t room = listBytes / 2 + name.size() + 1;
    std::unique_ptr<char16_t[]> out(new char16_t[room]);
    for (bool atEnd : {false, true}) {
        size_t bytes = MultiStringJoin(out.get(), room, list.get(), units, name.c_str(), atEnd);
        Require((bytes == 0) == name.empty());
        if (!bytes) continue;
        CheckWrittenList(out.get(), bytes, room);
        Require(bytes == listBytes + 2 * (name.size() + 1));
        Require(MultiStringContains(out.get(), bytes / 2, name.c_str()));
    }
    size_t removed = MultiStringRemove(out.get(), listBytes / 2, list.get(), units, name.c_str());
    Require(removed <= listBytes);
    if (removed) CheckWrittenList(out.get(), removed, listBytes / 2);
    Require(!MultiStringContains(out.get(), removed ? removed / 2 : 1, name.c_str()));

    for (uint32_t mode : {0u, 1u}) {
        DependencyEditPlan plan = PlanDependencyEdit(mode, list.get(), units, name.c_str(), data[0] & 2);
        if (!plan.newListUnits) continue;
        std::unique_ptr<char16_t[]> edited(new char16_t[plan.newListUnits]);
        Require(WriteDependencyList(mode, edited.get(), plan.newListUnits, list.get(), units, name.c_str()));
        Require(edited[plan.newListUnits - 1] == 0);
        Require(MultiStringContains(edited.get(), plan.newListUnits, name.c_str()) == (mode == 1));
    }
}

using Values = std::map<std::u16string, std::vector<uint8_t>>;

// More pieces find nothing new (the index only grows) and make every input
// cost megabytes under the address sanitizer.
constexpr size_t kMostPieces = 24;

long ReadLikeRegistry(const Values& values, const char16_t* name, uint8_t* destination, uint32_t room,
                      uint32_t* reported) {
    auto found = values.find(name);
    if (found == values.end()) return 2;  // ERROR_FILE_NOT_FOUND
    const uint32_t bytes = uint32_t(found->second.size());
    *reported = bytes;
    if (!destination) return kRegistrySuccess;
    if (bytes > room) return kRegistryMoreData;
    std::copy(found->second.begin(), found->second.end(), destination);
    return kRegistrySuccess;
}

void FuzzChain(const uint8_t* data, size_t size) {
    if (size < 3) return;
    const uint32_t capacity = uint32_t(data[0] | data[1] << 8) * 4;
    Values values;
    std::vector<uint8_t> chained;  // the bytes a reader must see, in order
    std::vector<size_t> chainedPieces;  // their sizes, piece by piece
    bool ended = false;
    uint8_t fill = 1;
    char16_t name[kPieceNameUnits] = u"N";
    for (size_t at = 2, index = 0; at + 1 < size && index < kMostPieces; at += 2, ++index) {
        const bool present = data[at] & 0x80;
        const uint32_t bytes = uint32_t((data[at] & 0x0F) << 8 | data[at + 1]);
        if (index > 0 && !FormatPieceName(u"N", uint32_t(index - 1), name)) break;
        if (!present) {
            ended = true;
            continue;
        }
        values[name].assign(bytes, fill++);
        if (!ended && bytes == 0) ended = true;
        if (!ended) {
            chained.insert(chained.end(), bytes, uint8_t(fill - 1));
            chainedPieces.push_back(bytes);
        }
    }
    if (!values.count(u"N")) chained.clear(), chainedPieces.clear();

    std::unique_ptr<uint8_t[]> buffer(new uint8_t[capacity ? capacity : 1]);
    auto read = [&](const char16_t* piece, uint8_t* destination, uint32_t room, uint32_t* reported) {
        if (destination) Require(destination >= buffer.get() && destination + room <= buffer.get() + capacity);
        return ReadLikeRegistry(values, piece, destination, room, reported);
    };
    ChunkReadResult result = ReadChunkChain(u"N", capacity ? buffer.get() : nullptr, capacity, read);
    Require(result.total == chained.size());
    if (result.firstResult == kRegistrySuccess && capacity) {
        // Whole pieces fitted up to the first that did not.
        size_t fitted = 0;
        for (size_t bytes : chainedPieces) {
            if (fitted + bytes > capacity) break;
            fitted += bytes;
        }
        Require(std::equal(chained.begin(), chained.begin() + fitted, buffer.get()));
    }

    // A write of the chained bytes reads back whole.
    Values written;
    WriteChunkChain(
        u"M", chained.data(), uint32_t(chained.size()),
        [&](const char16_t* piece, const uint8_t* bytes, uint32_t count) {
            Require(count <= kChunkPieceBytes);
            written[piece].assign(bytes, bytes + count);
            return kRegistrySuccess;
        },
        [&](const char16_t* piece) { written.erase(piece); });
    std::vector<uint8_t> back(chained.size() + 1);
    auto readBack = [&](const char16_t* piece, uint8_t* destination, uint32_t room, uint32_t* reported) {
        return ReadLikeRegistry(written, piece, destination, room, reported);
    };
    ChunkReadResult again = ReadChunkChain(u"M", back.data(), uint32_t(back.size()), readBack);
    Require(again.firstResult == kRegistrySuccess && again.total == chained.size());
    Require(std::equal(chained.begin(), chained.end(), back.begin()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    if (data[0] & 1)
        FuzzChain(data + 1, size - 1);
    else
        FuzzLists(data, size);
    return 0;
}
