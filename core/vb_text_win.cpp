#include "core/vb_text_win.h"

#include <climits>
#include <cwchar>

#include "core/hex_text.h"

namespace qlclapi {

AnsiArgument::AnsiArgument(const char* ansi) {
    if (!ansi) return;
    // The length includes the terminator because the source length is -1.
    const int units = MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, ansi, -1, nullptr, 0);
    if (units <= 0 || !text_.allocate(size_t(units), Wipe::OnRelease)) return;
    if (MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, ansi, -1, text_.data(), units) != units) text_.release();
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
    HeapBuffer<char> ansi(PackedBufferBytes(units + 1));
    if (!ansi.ok()) return 0;
    if (WideCharToMultiByte(CP_ACP, 0, text, -1, ansi.data(), offered, nullptr, nullptr) <= 0) return 0;
    return SysReAllocString(target, reinterpret_cast<const OLECHAR*>(ansi.data())) ? 1 : 0;
}

uint32_t BytesToHexBstr(BSTR* target, const uint8_t* bytes, size_t count) {
    if (!target || (!bytes && count)) return 0;
    // Three units a byte: two digits and a "-" (the last byte's "-" is the
    // terminator's room).
    if (count > (SIZE_MAX / sizeof(wchar_t) - 1) / 3) return 0;
    HeapBuffer<wchar_t> text(3 * count + 1);
    if (!text.ok()) return 0;
    PutHexBytes(text.data(), bytes, count, L'-');
    return StoreAnsiInBstr(target, text.data());
}

uint32_t StoreBytesInBstr(BSTR* target, const uint8_t* bytes, size_t count) {
    if (!target || count / 2 >= UINT_MAX) return 0;
    return SysReAllocStringLen(target, reinterpret_cast<const OLECHAR*>(bytes), UINT((count + 1) / 2)) ? 1 : 0;
}

uint32_t StoreVaryingTextInBstr(BSTR* target, VaryingTextCall plain) {
    uint32_t bytes = 0;
    plain(nullptr, &bytes);
    if (bytes == 0) return 0;
    HeapBuffer<wchar_t> text((bytes + 1) / sizeof(wchar_t));
    if (!text.ok()) return 0;
    uint32_t length = bytes;
    // The buffer is zero-filled, so even a text cut short by the callee is
    // terminated within it when its size is even; keep the last unit zero
    // regardless so the conversion never runs off the end.
    if (!plain(text.data(), &length) || bytes < sizeof(wchar_t)) return 0;
    text[bytes / sizeof(wchar_t) - 1] = 0;
    return StoreAnsiInBstr(target, text.data());
}

}  // namespace qlclapi
