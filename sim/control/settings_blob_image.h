// Byte images of the client's binary settings store (a SettingsBlob), as
// the client writes them: little-endian, a u32 left at 0, the entry count,
// 12-byte entries (identifier, status, data size) and then the data of
// every entry with a status of 0 or more, in entry order. Written from the
// client's side, independently of the library's reading of it, so that
// tests built on them check the library rather than repeating it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qlsim {

struct BlobEntry {
    uint32_t id = 0;
    int32_t status = 0;            // negative: no data is stored for the entry
    std::vector<uint8_t> data;
    int64_t sizeClaim = -1;        // hostile blobs: the size written instead of data.size()
};

struct BlobImage {
    std::vector<BlobEntry> entries;
    int64_t countClaim = -1;       // hostile blobs: the count written instead of entries.size()
    size_t cutTo = SIZE_MAX;       // hostile blobs: the image cut to this many bytes
};

std::vector<uint8_t> BuildBlob(const BlobImage& image);

// The data of a number setting and of a text setting (UTF-16 with its
// terminator, as the client stores text).
std::vector<uint8_t> NumberData(uint32_t value);
std::vector<uint8_t> TextData(const std::u16string& text);
// The number an entry's data holds: its little-endian bytes, 4 at most (a
// shorter entry is the number's low bytes); false for more than 4.
bool NumberFromData(const std::vector<uint8_t>& data, uint32_t& value);

// The entries of a blob as far as its bytes hold them (for qlsim, which
// edits a stored blob): false when the blob is damaged, with the entries
// that could be read.
bool ReadBlob(const std::vector<uint8_t>& blob, std::vector<BlobEntry>& entries);

}  // namespace qlsim
