#include "guarded_memory.h"

#include <windows.h>

#include <cstring>

namespace qlrel {

namespace {
constexpr size_t kPage = 4096;
constexpr size_t kCanaryBytes = 64;
constexpr uint8_t kCanary = 0xA5;
}  // namespace

GuardedBlock::GuardedBlock(size_t size, uint8_t fill) : size_(size) {
    const size_t dataPages = (size + kCanaryBytes + kPage - 1) / kPage;
    base_ = static_cast<uint8_t*>(VirtualAlloc(nullptr, (dataPages + 1) * kPage, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    if (!base_) return;
    DWORD old;
    VirtualProtect(base_ + dataPages * kPage, kPage, PAGE_NOACCESS, &old);
    data_ = base_ + dataPages * kPage - size;
    memset(base_, kCanary, data_ - base_);
    memset(data_, fill, size);
}

GuardedBlock::~GuardedBlock() {
    if (base_) VirtualFree(base_, 0, MEM_RELEASE);
}

std::string GuardedBlock::damage() const {
    for (const uint8_t* at = base_; at && at < data_; ++at)
        if (*at != kCanary) return "wrote " + std::to_string(data_ - at) + " bytes before the buffer";
    return "";
}

bool GuardedBlock::guards(uintptr_t address) const {
    const uintptr_t guard = reinterpret_cast<uintptr_t>(data_ + size_);
    return data_ && address >= guard && address < guard + kPage;
}

}  // namespace qlrel
