// The binary settings store: all settings packed into one SettingsBlob,
// little-endian:
//   0       u32  not interpreted
//   4       u32  N, the number of entries
//   8       12*N entries: u32 identifier, i32 status (negative: no data),
//                u32 data size in bytes
//   8+12*N  the data of every entry with a status of 0 or more, in entry
//           order, each exactly its size long, no padding.
//
// The blob comes from the registry and is hostile: every read is bounded by
// the bytes actually read, never by a count or size the blob claims. A blob
// that claims more than it holds is damaged from the first place where a
// claim passes its end:
//   - fewer than 8 bytes, or an entry table (8 + 12*N) longer than the blob:
//     nothing in it can be read;
//   - an entry with a status of 0 or more whose data would run past the end:
//     neither it nor any entry after it can be read (their data offsets
//     depend on it); entries before it read normally.
// A wanted identifier that the walk cannot reach for that reason is a
// damaged store (0x80000000), not a missing setting (0x80000009).
#pragma once

#include <cstddef>
#include <cstdint>

#include "config/config_status.h"

namespace qlclapi {

constexpr size_t kBlobHeaderBytes = 8;
constexpr size_t kBlobEntryBytes = 12;

struct BlobSetting {
    const uint8_t* data = nullptr;
    uint32_t size = 0;
};

// 0 with `found` pointing into blob; 0x80000009 when no readable entry with
// a status of 0 or more has the identifier (N = 0 included); 0x80000000
// when the walk met damage before finding it.
ConfigStatus FindBlobSetting(const uint8_t* blob, size_t bytes, uint32_t id, BlobSetting& found) noexcept;

}  // namespace qlclapi
