// Memory handed to an export: `size` bytes that end exactly where a
// PAGE_NOACCESS page begins, so that a write (or read) past the stated size
// faults at once, with canary bytes in front that show a write before it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace qlrel {

class GuardedBlock {
public:
    explicit GuardedBlock(size_t size, uint8_t fill = 0xCC);
    ~GuardedBlock();
    GuardedBlock(const GuardedBlock&) = delete;
    GuardedBlock& operator=(const GuardedBlock&) = delete;

    uint8_t* data() const { return data_; }
    size_t size() const { return size_; }
    // Empty, or what happened to the canaries in front of the data.
    std::string damage() const;
    // Whether `address` lies in the guard page right behind the data.
    bool guards(uintptr_t address) const;
    // Gives the memory up without freeing it (a driver may still write it).
    void abandon() { base_ = nullptr; }

private:
    uint8_t* base_ = nullptr;
    uint8_t* data_ = nullptr;
    size_t size_ = 0;
};

}  // namespace qlrel
