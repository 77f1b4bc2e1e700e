#include "config/settings_blob.h"

namespace qlclapi {

namespace {

uint32_t U32At(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24; }

}  // namespace

ConfigStatus FindBlobSetting(const uint8_t* blob, size_t bytes, uint32_t id, BlobSetting& found) noexcept {
    found = BlobSetting{};
    if (!blob || bytes < kBlobHeaderBytes) return kConfigFailed;
    const uint64_t count = U32At(blob + 4);
    const uint64_t tableEnd = kBlobHeaderBytes + kBlobEntryBytes * count;
    if (tableEnd > bytes) return kConfigFailed;
    size_t offset = size_t(tableEnd);
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* entry = blob + kBlobHeaderBytes + kBlobEntryBytes * i;
        if (int32_t(U32At(entry + 4)) < 0) continue;  // carries no data and takes no room
        const uint32_t size = U32At(entry + 8);
        if (size > bytes - offset) return kConfigFailed;
        if (U32At(entry) == id) {
            found.data = blob + offset;
            found.size = size;
            return kConfigOk;
        }
        offset += size;
    }
    return kConfigNotFound;
}

}  // namespace qlclapi
