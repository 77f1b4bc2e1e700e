#include "config/permanent_id_win.h"

#include <windows.h>

#include "config/client_key_win.h"
#include "core/vb_text_win.h"
#include "core/win_resource_win.h"

namespace qlclapi {

uint32_t GetPermanentId(void* buffer, uint32_t* length) {
    if (!length) return 0;
    if (!buffer) {
        // The size callers reserve, whatever is stored.
        *length = kPermanentIdBytes;
        return 0;
    }
    // *length: the identifier's size afterwards, larger than the buffer when
    // it did not fit, unchanged when the state key could not be opened.
    ReadClientBinary(buffer, length, kPermanentIdValue, nullptr, kClientState);
    return 1;
}

ConfigStatus ReadWholePermanentId(uint8_t (&id)[kPermanentIdBytes], uint32_t* bytes) {
    uint32_t size = kPermanentIdBytes;
    ConfigStatus status = ReadClientBinary(id, &size, kPermanentIdValue, nullptr, kClientState);
    // Larger than the room, whether its first piece fitted or not (a key
    // that cannot be opened leaves the size as it was).
    if (size > kPermanentIdBytes) return kConfigBufferTooSmall;
    if (status) return kConfigFailed;
    *bytes = size;
    return kConfigOk;
}

uint32_t GetPermanentIdPacked(wchar_t** text) {
    if (!text) return 0;
    // One spare byte: the last unit of an odd count is read whole.
    uint8_t id[kPermanentIdBytes + 2] = {};
    uint32_t bytes = 0;
    if (ReadWholePermanentId(reinterpret_cast<uint8_t(&)[kPermanentIdBytes]>(id), &bytes)) return 0;
    return StoreBytesInBstr(text, id, bytes);
}

ConfigStatus CopyPermanentId() {
    uint8_t id[kPermanentIdBytes] = {};
    uint32_t size = 0;
    if (ConfigStatus status = ReadWholePermanentId(id, &size)) return status;
    RegistryKey parent, state;
    if (RegCreateKeyW(HKEY_LOCAL_MACHINE, kServiceStateKeyParent, parent.receive()) != ERROR_SUCCESS ||
        RegCreateKeyW(HKEY_LOCAL_MACHINE, kServiceStateKey, state.receive()) != ERROR_SUCCESS)
        return kConfigFailed;
    return RegSetValueExW(state.get(), kPermanentIdValue, 0, REG_BINARY, id, size) == ERROR_SUCCESS ? kConfigOk
                                                                                                     : kConfigFailed;
}

}  // namespace qlclapi
