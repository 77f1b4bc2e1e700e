// Fuzzes the walk of the binary settings store on arbitrary blobs, in an
// allocation of exactly their length, so that a read past the bytes read
// from the registry is caught by the address sanitizer.
//
// Checks: whatever is found lies inside the blob; and on every blob that an
// independent reader (the simulated client's, which writes blobs as the
// client does) reads whole, each identifier is found at the data of its
// first entry with a status of 0 or more, and nothing else is found.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>

#include "config/settings_blob.h"
#include "settings_blob_image.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::unique_ptr<uint8_t[]> blob(new uint8_t[size ? size : 1]);
    if (size) memcpy(blob.get(), data, size);
    std::vector<uint8_t> copy(data, data + size);
    std::vector<qlsim::BlobEntry> entries;
    const bool whole = qlsim::ReadBlob(copy, entries) && size >= 8;
    std::map<uint32_t, const qlsim::BlobEntry*> first;
    for (const auto& e : entries)
        if (e.status >= 0 && !first.count(e.id)) first[e.id] = &e;

    std::vector<uint32_t> wanted = {0, 24850, 24872, 0xFFFFFFFF};
    for (const auto& e : entries) wanted.push_back(e.id);
    for (uint32_t id : wanted) {
        qlclapi::BlobSetting found;
        qlclapi::ConfigStatus status = qlclapi::FindBlobSetting(blob.get(), size, id, found);
        if (status == qlclapi::kConfigOk) {
            Require(found.data >= blob.get() && found.size <= size - size_t(found.data - blob.get()));
        } else {
            Require(found.data == nullptr);
        }
        if (!whole) continue;
        auto expected = first.find(id);
        if (expected == first.end()) {
            Require(status == qlclapi::kConfigNotFound);
        } else {
            Require(status == qlclapi::kConfigOk && found.size == expected->second->data.size() &&
                    (found.size == 0 || memcmp(found.data, expected->second->data.data(), found.size) == 0));
        }
    }
    return 0;
}
