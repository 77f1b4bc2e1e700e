#include "config/client_key_path.h"

namespace qlclapi {

bool AppendBounded(char16_t* buffer, size_t capacity, const char16_t* text) noexcept {
    size_t end = 0;
    while (end < capacity - 1 && buffer[end]) ++end;
    size_t i = 0;
    for (; text[i] && end < capacity - 1; ++i) buffer[end++] = text[i];
    buffer[end] = 0;
    return text[i] == 0;
}

bool CurrentSubkeyName(const char16_t* stored, uint32_t storedBytes,
                       char16_t (&name)[kCurrentSubkeyUnits]) noexcept {
    name[0] = 0;
    size_t units = storedBytes / 2;
    // The client writes the name with its terminator, so fewer than two
    // units means an empty name (or a lone unterminated character).
    if (units < 2) return false;
    size_t length = 0;
    while (length < units && stored[length]) ++length;
    // A name that needs more than the 127 characters the client reserves
    // would name some other key once cut: refuse it instead.
    if (length == 0 || length >= kCurrentSubkeyUnits) return false;
    for (size_t i = 0; i < length; ++i) name[i] = stored[i];
    name[length] = 0;
    return true;
}

void BuildClientKeyPath(ClientKey which, const char16_t* currentName, const char16_t* subkey,
                        char16_t (&path)[kClientKeyPathUnits]) noexcept {
    path[0] = 0;
    AppendBounded(path, kClientKeyPathUnits, which == kClientParams ? kClientParamsPath : kClientStatePath);
    if (which == kClientCurrent && currentName) {
        AppendBounded(path, kClientKeyPathUnits, u"\\");
        AppendBounded(path, kClientKeyPathUnits, currentName);
    }
    if (subkey) {
        AppendBounded(path, kClientKeyPathUnits, u"\\");
        AppendBounded(path, kClientKeyPathUnits, subkey);
    }
}

}  // namespace qlclapi
