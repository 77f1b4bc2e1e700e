#include "config/client_key_enum_win.h"

#include "config/client_key_win.h"
#include "core/heap_buffer.h"

namespace qlclapi {

namespace {

// The iterator of this call: the caller's, or a new one over the key opened
// without creating it. Null (with *iterator null) when that fails.
ClientKeyIterator* Begin(ClientKeyIterator** iterator, const wchar_t* subkey, ClientKey which) {
    if (*iterator) return *iterator;
    HKEY key = OpenClientKey(which, false, subkey);
    if (!key) return nullptr;
    auto* fresh = static_cast<ClientKeyIterator*>(AllocateZeroed(sizeof(ClientKeyIterator)));
    if (!fresh) {
        RegCloseKey(key);
        return nullptr;
    }
    fresh->key = key;
    fresh->index = 0;
    *iterator = fresh;
    return fresh;
}

ConfigStatus Step(LONG status, ClientKeyIterator** iterator) {
    if (status == ERROR_SUCCESS) {
        ++(*iterator)->index;
        return kConfigOk;
    }
    CloseClientKeyIterator(iterator);
    return kConfigFailed;
}

}  // namespace

void CloseClientKeyIterator(ClientKeyIterator** iterator) {
    if (!iterator || !*iterator) return;
    RegCloseKey((*iterator)->key);
    ReleaseBlock(*iterator);
    *iterator = nullptr;
}

ConfigStatus EnumClientValues(wchar_t* name, uint32_t* nameUnits, void* data, uint32_t* dataBytes,
                              ClientKeyIterator** iterator, const wchar_t* subkey, ClientKey which) {
    if (!iterator) return kConfigInvalidArgument;
    if (!name || !nameUnits || !dataBytes || (!data && *dataBytes)) {
        CloseClientKeyIterator(iterator);
        return kConfigInvalidArgument;
    }
    ClientKeyIterator* current = Begin(iterator, subkey, which);
    if (!current) return kConfigFailed;
    DWORD units = *nameUnits;
    DWORD bytes = *dataBytes;
    LONG status = RegEnumValueW(current->key, current->index, name, &units, nullptr, nullptr,
                                static_cast<BYTE*>(data), &bytes);
    if (status == ERROR_SUCCESS) {
        *nameUnits = units;
        *dataBytes = bytes;
    }
    return Step(status, iterator);
}

ConfigStatus EnumClientSubkeys(wchar_t* name, uint32_t* nameUnits, ClientKeyIterator** iterator,
                               const wchar_t* subkey, ClientKey which) {
    if (!iterator) return kConfigInvalidArgument;
    if (!name || !nameUnits) {
        CloseClientKeyIterator(iterator);
        return kConfigInvalidArgument;
    }
    ClientKeyIterator* current = Begin(iterator, subkey, which);
    if (!current) return kConfigFailed;
    LONG status = RegEnumKeyW(current->key, current->index, name, *nameUnits);
    if (status == ERROR_SUCCESS) {
        uint32_t length = 0;
        while (length < *nameUnits && name[length]) ++length;
        // The platform terminates the name within the room it was given.
        if (length == *nameUnits) status = ERROR_MORE_DATA;
        else *nameUnits = length;
    }
    return Step(status, iterator);
}

}  // namespace qlclapi
