// A binary value of any size stored as a chain of pieces of at most 65536
// bytes: the first under the value's own name N, the next under N__0, then
// N__1, ... The chain ends at the first piece that is missing or empty.
// The bookkeeping is kept apart from the registry calls so that it can be
// tested and fuzzed on any host; the registry side passes in its reads and
// writes.
#pragma once

#include <cstddef>
#include <cstdint>

namespace qlclapi {

constexpr uint32_t kChunkPieceBytes = 0x10000;
constexpr size_t kPieceNameUnits = 64;

// Win32 results the chain logic distinguishes.
constexpr long kRegistrySuccess = 0;
constexpr long kRegistryMoreData = 234;  // ERROR_MORE_DATA

// "N__index" into name (64 units with the terminator); false when it does
// not fit, and then the piece cannot exist.
bool FormatPieceName(const char16_t* value, uint32_t index, char16_t (&name)[kPieceNameUnits]) noexcept;

struct ChunkReadResult {
    long firstResult;  // of the read of N itself
    uint32_t total;    // bytes of every piece of the chain, whether read or not
};

// readPiece(name, destination or null, room, &reported) reads one value like
// RegQueryValueExW: it returns a Win32 result and stores the value's full size
// in reported. Pieces are read into buffer in order while they fit; once the
// total passes the capacity only their sizes are asked. The total saturates
// at 0xFFFFFFFF rather than wrapping.
template <typename ReadPiece>
ChunkReadResult ReadChunkChain(const char16_t* value, uint8_t* buffer, uint32_t capacity, ReadPiece readPiece) {
    if (!buffer) capacity = 0;
    uint32_t reported = capacity;
    ChunkReadResult result{readPiece(value, buffer, capacity, &reported), 0};
    if (result.firstResult != kRegistrySuccess && result.firstResult != kRegistryMoreData) return result;
    result.total = reported;
    if (reported == 0) return result;
    char16_t name[kPieceNameUnits];
    for (uint32_t index = 0; FormatPieceName(value, index, name); ++index) {
        bool fits = result.total <= capacity;
        uint32_t room = fits ? capacity - result.total : 0;
        reported = room;
        long status = readPiece(name, fits ? buffer + result.total : nullptr, room, &reported);
        if ((status != kRegistrySuccess && status != kRegistryMoreData) || reported == 0) break;
        result.total = reported > 0xFFFFFFFFu - result.total ? 0xFFFFFFFFu : result.total + reported;
    }
    return result;
}

// writePiece(name, data, bytes) writes one REG_BINARY piece and returns a
// Win32 result; deletePiece(name) removes the first unused piece name, which
// ends the chain for readers. The result is that of the last write.
template <typename WritePiece, typename DeletePiece>
long WriteChunkChain(const char16_t* value, const uint8_t* data, uint32_t bytes, WritePiece writePiece,
                     DeletePiece deletePiece) {
    uint32_t piece = bytes < kChunkPieceBytes ? bytes : kChunkPieceBytes;
    long last = writePiece(value, data, piece);
    char16_t name[kPieceNameUnits];
    bool named = FormatPieceName(value, 0, name);
    uint32_t index = 1;
    uint32_t offset = 0;
    while (bytes - offset > kChunkPieceBytes) {
        offset += kChunkPieceBytes;
        uint32_t remaining = bytes - offset;
        piece = remaining < kChunkPieceBytes ? remaining : kChunkPieceBytes;
        // A name too long for its piece names cannot carry more than one piece.
        last = named ? writePiece(name, data + offset, piece) : 1;  // 1: ERROR_INVALID_FUNCTION
        named = FormatPieceName(value, index++, name);
    }
    if (named) deletePiece(name);
    return last;
}

}  // namespace qlclapi
