// An open registry key, closed when it goes out of scope, so that every
// path of an operation releases it.
#pragma once

#include <windows.h>

namespace qlclapi {

class ScopedKey {
public:
    ScopedKey() = default;
    explicit ScopedKey(HKEY key) : key_(key) {}
    ~ScopedKey() { reset(); }
    ScopedKey(const ScopedKey&) = delete;
    ScopedKey& operator=(const ScopedKey&) = delete;

    HKEY get() const { return key_; }
    explicit operator bool() const { return key_ != nullptr; }
    // For the open and create calls that fill in a key.
    HKEY* receive() {
        reset();
        return &key_;
    }
    void reset() {
        if (key_) RegCloseKey(key_);
        key_ = nullptr;
    }

private:
    HKEY key_ = nullptr;
};

}  // namespace qlclapi
