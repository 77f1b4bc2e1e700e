#include "api/vb_adapters.h"

#include "core/secure_memory.h"

namespace qlclapi {

AnsiArgument::AnsiArgument(const char* ansi) {
    if (!ansi) return;
    // The length includes the terminator because the source length is -1.
    int units = MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, ansi, -1, nullptr, 0);
    if (units <= 0) return;
    auto* text = static_cast<wchar_t*>(HeapAlloc(GetProcessHeap(), 0, size_t(units) * sizeof(wchar_t)));
    if (!text) return;
    if (MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, ansi, -1, text, units) != units) {
        SecureWipe(text, size_t(units) * sizeof(wchar_t));
        HeapFree(GetProcessHeap(), 0, text);
        return;
    }
    text_ = text;
    units_ = size_t(units);
}

AnsiArgument::~AnsiArgument() {
    if (!text_) return;
    SecureWipe(text_, units_ * sizeof(wchar_t));
    HeapFree(GetProcessHeap(), 0, text_);
}

namespace {

// SysReAllocString measures its source as UTF-16: the bytes must end in a
// whole zero unit inside the buffer, whatever the parity of their count.
size_t PackedBufferBytes(size_t bytes) { return (bytes + 1) / 2 * 2 + 2; }

}  // namespace

uint32_t StoreAnsiInBstr(BSTR* target, const wchar_t* text) {
    if (!target || !text) return 0;
    size_t units = wcslen(text);
    // n+1 bytes are offered to the conversion; a text whose ANSI form is
    // longer (a double-byte code page) fails rather than being cut.
    if (units + 1 > size_t(INT_MAX)) return 0;
    const int offered = int(units + 1);
    auto* ansi = static_cast<char*>(LocalAlloc(LPTR, PackedBufferBytes(units + 1)));
    if (!ansi) return 0;
    uint32_t result = 0;
    if (WideCharToMultiByte(CP_ACP, 0, text, -1, ansi, offered, nullptr, nullptr) > 0)
        result = SysReAllocString(target, reinterpret_cast<const OLECHAR*>(ansi)) ? 1 : 0;
    LocalFree(ansi);
    return result;
}

uint32_t BytesToHexBstr(BSTR* target, const uint8_t* bytes, size_t count) {
    if (!target || (!bytes && count)) return 0;
    // Three units a byte: two digits and a "-" (the last byte's "-" is the
    // terminator's room).
    if (count > (SIZE_MAX / sizeof(wchar_t) - 1) / 3) return 0;
    auto* text = static_cast<wchar_t*>(LocalAlloc(LPTR, (3 * count + 1) * sizeof(wchar_t)));
    if (!text) return 0;
    static const wchar_t kDigits[] = L"0123456789ABCDEF";
    wchar_t* at = text;
    for (size_t i = 0; i < count; ++i) {
        if (i) *at++ = L'-';
        *at++ = kDigits[bytes[i] >> 4];
        *at++ = kDigits[bytes[i] & 0xF];
    }
    uint32_t result = StoreAnsiInBstr(target, text);
    LocalFree(text);
    return result;
}

uint32_t StoreVaryingTextInBstr(BSTR* target, VaryingTextCall plain) {
    uint32_t bytes = 0;
    plain(nullptr, &bytes);
    if (bytes == 0) return 0;
    auto* text = static_cast<wchar_t*>(LocalAlloc(LPTR, bytes));
    if (!text) return 0;
    uint32_t result = 0;
    uint32_t length = bytes;
    // LPTR zero-fills, so even a text cut short by the callee is terminated
    // within the buffer when its size is even; keep the last unit zero
    // regardless so the conversion never runs off the end.
    if (plain(text, &length) && bytes >= sizeof(wchar_t)) {
        text[bytes / sizeof(wchar_t) - 1] = 0;
        result = StoreAnsiInBstr(target, text);
    }
    LocalFree(text);
    return result;
}

}  // namespace qlclapi
