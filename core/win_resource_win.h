// The one owner of Win32 resources: a handle, registry key, service handle,
// module, event or pipe, closed on every path when its owner goes. Each kind
// is a trait with the value that means "none" (INVALID_HANDLE_VALUE for
// files, devices and pipes; null for the rest) and the call that closes it.
#pragma once

#include <windows.h>

namespace qlclapi {

template <typename Traits>
class WinResource {
public:
    using Value = typename Traits::Value;

    WinResource() = default;
    explicit WinResource(Value value) : value_(value) {}
    ~WinResource() { reset(); }
    WinResource(const WinResource&) = delete;
    WinResource& operator=(const WinResource&) = delete;
    WinResource(WinResource&& other) noexcept : value_(other.release()) {}
    WinResource& operator=(WinResource&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }

    bool valid() const { return value_ != Traits::None(); }
    explicit operator bool() const { return valid(); }
    Value get() const { return value_; }
    // For calls that hand the resource back through a pointer; what was held
    // is closed first.
    Value* receive() {
        reset();
        return &value_;
    }
    // Gives the resource up without closing it.
    Value release() {
        Value value = value_;
        value_ = Traits::None();
        return value;
    }
    void reset(Value value = Traits::None()) {
        if (valid()) Traits::Close(value_);
        value_ = value;
    }

private:
    Value value_ = Traits::None();
};

// Files, devices and pipes: CreateFileW reports failure as INVALID_HANDLE_VALUE.
struct FileHandleTraits {
    using Value = HANDLE;
    static Value None() { return INVALID_HANDLE_VALUE; }
    static void Close(Value value) { CloseHandle(value); }
};
// Events, threads and other kernel objects: their creators report failure as null.
struct KernelHandleTraits {
    using Value = HANDLE;
    static Value None() { return nullptr; }
    static void Close(Value value) { CloseHandle(value); }
};
struct RegistryKeyTraits {
    using Value = HKEY;
    static Value None() { return nullptr; }
    static void Close(Value value) { RegCloseKey(value); }
};
struct ServiceHandleTraits {
    using Value = SC_HANDLE;
    static Value None() { return nullptr; }
    static void Close(Value value) { CloseServiceHandle(value); }
};
struct ModuleTraits {
    using Value = HMODULE;
    static Value None() { return nullptr; }
    static void Close(Value value) { FreeLibrary(value); }
};

using FileHandle = WinResource<FileHandleTraits>;
using PipeHandle = WinResource<FileHandleTraits>;
using EventHandle = WinResource<KernelHandleTraits>;
using ThreadHandle = WinResource<KernelHandleTraits>;
using RegistryKey = WinResource<RegistryKeyTraits>;
using ServiceHandle = WinResource<ServiceHandleTraits>;
using ModuleHandle = WinResource<ModuleTraits>;

}  // namespace qlclapi
