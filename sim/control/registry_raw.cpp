#include "registry_raw.h"

#include <cwchar>

namespace qlsim {

namespace {

struct CountedName {
    USHORT length, capacity;
    const wchar_t* buffer;
};

CountedName Counted(const wchar_t* name) {
    const USHORT bytes = USHORT(wcslen(name) * sizeof(wchar_t));
    return CountedName{bytes, bytes, name};
}

template <typename Function>
Function Native(const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), name)));
}

}  // namespace

bool SetRawValue(HKEY key, const wchar_t* name, DWORD type, const void* data, DWORD bytes) {
    using SetValue = LONG(NTAPI*)(HANDLE, const CountedName*, ULONG, ULONG, const void*, ULONG);
    static const auto set = Native<SetValue>("NtSetValueKey");
    const CountedName counted = Counted(name);
    return set && set(key, &counted, 0, type, data, bytes) == 0;
}

bool GetRawValue(HKEY key, const wchar_t* name, std::vector<uint8_t>& data, DWORD* type) {
    struct PartialInformation {
        ULONG titleIndex, type, length;
        UCHAR data[1];
    };
    using QueryValue = LONG(NTAPI*)(HANDLE, const CountedName*, int, void*, ULONG, ULONG*);
    static const auto query = Native<QueryValue>("NtQueryValueKey");
    const CountedName counted = Counted(name);
    std::vector<uint8_t> buffer(64);
    for (;;) {
        ULONG needed = 0;
        LONG status = query ? query(key, &counted, 2 /* KeyValuePartialInformation */, buffer.data(),
                                    ULONG(buffer.size()), &needed)
                            : -1;
        // STATUS_BUFFER_OVERFLOW and STATUS_BUFFER_TOO_SMALL: ask again with room.
        if ((status == LONG(0x80000005) || status == LONG(0xC0000023)) && needed > buffer.size()) {
            buffer.resize(needed);
            continue;
        }
        if (status != 0) return false;
        const auto* info = reinterpret_cast<const PartialInformation*>(buffer.data());
        if (type) *type = info->type;
        data.assign(info->data, info->data + info->length);
        return true;
    }
}

}  // namespace qlsim
