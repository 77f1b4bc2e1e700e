#include "settings_blob_image.h"

namespace qlsim {

namespace {

void PutU32(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(uint8_t(value >> shift));
}

uint32_t U32At(const std::vector<uint8_t>& in, size_t offset) {
    return uint32_t(in[offset]) | uint32_t(in[offset + 1]) << 8 | uint32_t(in[offset + 2]) << 16 |
           uint32_t(in[offset + 3]) << 24;
}

}  // namespace

std::vector<uint8_t> BuildBlob(const BlobImage& image) {
    std::vector<uint8_t> out;
    PutU32(out, 0);
    PutU32(out, uint32_t(image.countClaim >= 0 ? image.countClaim : int64_t(image.entries.size())));
    for (const BlobEntry& e : image.entries) {
        PutU32(out, e.id);
        PutU32(out, uint32_t(e.status));
        PutU32(out, uint32_t(e.sizeClaim >= 0 ? e.sizeClaim : int64_t(e.data.size())));
    }
    for (const BlobEntry& e : image.entries)
        if (e.status >= 0) out.insert(out.end(), e.data.begin(), e.data.end());
    if (image.cutTo < out.size()) out.resize(image.cutTo);
    return out;
}

std::vector<uint8_t> NumberData(uint32_t value) {
    std::vector<uint8_t> out;
    PutU32(out, value);
    return out;
}

std::vector<uint8_t> TextData(const std::u16string& text) {
    std::vector<uint8_t> out;
    for (char16_t unit : text) {
        out.push_back(uint8_t(unit));
        out.push_back(uint8_t(unit >> 8));
    }
    out.push_back(0);
    out.push_back(0);
    return out;
}

bool NumberFromData(const std::vector<uint8_t>& data, uint32_t& value) {
    if (data.size() > 4) return false;
    value = 0;
    for (size_t i = 0; i < data.size(); ++i) value |= uint32_t(data[i]) << (8 * i);
    return true;
}

bool ReadBlob(const std::vector<uint8_t>& blob, std::vector<BlobEntry>& entries) {
    entries.clear();
    if (blob.empty()) return true;
    if (blob.size() < 8) return false;
    const uint64_t count = U32At(blob, 4);
    if (8 + 12 * count > blob.size()) return false;
    size_t offset = size_t(8 + 12 * count);
    for (size_t i = 0; i < count; ++i) {
        BlobEntry e;
        e.id = U32At(blob, 8 + 12 * i);
        e.status = int32_t(U32At(blob, 12 + 12 * i));
        if (e.status >= 0) {
            uint32_t size = U32At(blob, 16 + 12 * i);
            if (size > blob.size() - offset) return false;
            e.data.assign(blob.begin() + offset, blob.begin() + offset + size);
            offset += size;
        }
        entries.push_back(e);
    }
    return true;
}

}  // namespace qlsim
