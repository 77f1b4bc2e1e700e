// A saved copy of registry keys (every value and subkey, recursively) that
// puts them back as they were: values rewritten, values and subkeys that
// appeared deleted, a key that did not exist removed again.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace qlrel {

struct SavedKey;

class RegistrySnapshot {
public:
    // Paths below HKEY_LOCAL_MACHINE, read from `listFile` (one a line,
    // '#' comments).
    explicit RegistrySnapshot(const std::string& listFile);
    ~RegistrySnapshot();
    RegistrySnapshot(const RegistrySnapshot&) = delete;
    RegistrySnapshot& operator=(const RegistrySnapshot&) = delete;

    size_t keyCount() const { return keys_.size(); }
    // Puts every key back; false when one of them could not be.
    bool restore();

private:
    std::vector<std::unique_ptr<SavedKey>> keys_;
};

}  // namespace qlrel
