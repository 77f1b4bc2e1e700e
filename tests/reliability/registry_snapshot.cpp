#include "registry_snapshot.h"

#include <fstream>

namespace qlrel {

struct SavedValue {
    std::wstring name;
    DWORD type;
    std::vector<BYTE> data;
};

struct SavedKey {
    std::wstring path;
    bool existed = false;
    std::vector<SavedValue> values;
    std::vector<std::unique_ptr<SavedKey>> subkeys;
};

namespace {

constexpr REGSAM kAccess = KEY_ALL_ACCESS | KEY_WOW64_64KEY;

std::unique_ptr<SavedKey> Save(const std::wstring& path) {
    auto saved = std::make_unique<SavedKey>();
    saved->path = path;
    HKEY key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, &key) != ERROR_SUCCESS)
        return saved;
    saved->existed = true;
    std::vector<wchar_t> name(16384);
    std::vector<BYTE> data(1 << 16);
    for (DWORD i = 0;; ++i) {
        DWORD nameUnits = DWORD(name.size()), type = 0, bytes = DWORD(data.size());
        LONG status = RegEnumValueW(key, i, name.data(), &nameUnits, nullptr, &type, data.data(), &bytes);
        if (status == ERROR_MORE_DATA) {
            data.resize(bytes);
            --i;
            continue;
        }
        if (status != ERROR_SUCCESS) break;
        saved->values.push_back({std::wstring(name.data(), nameUnits), type,
                                 std::vector<BYTE>(data.begin(), data.begin() + bytes)});
    }
    for (DWORD i = 0;; ++i) {
        DWORD nameUnits = DWORD(name.size());
        if (RegEnumKeyExW(key, i, name.data(), &nameUnits, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        saved->subkeys.push_back(Save(path + L"\\" + std::wstring(name.data(), nameUnits)));
    }
    RegCloseKey(key);
    return saved;
}

bool Restore(const SavedKey& saved) {
    if (!saved.existed) {
        LONG status = RegDeleteTreeW(HKEY_LOCAL_MACHINE, saved.path.c_str());
        return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
    }
    HKEY key;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, saved.path.c_str(), 0, nullptr, 0, kAccess, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    bool ok = true;
    // Values and subkeys that appeared since the save go first.
    std::vector<wchar_t> name(16384);
    std::vector<std::wstring> extra;
    for (DWORD i = 0;; ++i) {
        DWORD nameUnits = DWORD(name.size());
        if (RegEnumValueW(key, i, name.data(), &nameUnits, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        std::wstring found(name.data(), nameUnits);
        bool known = false;
        for (const auto& v : saved.values) known = known || v.name == found;
        if (!known) extra.push_back(found);
    }
    for (const auto& value : extra) ok = RegDeleteValueW(key, value.c_str()) == ERROR_SUCCESS && ok;
    extra.clear();
    for (DWORD i = 0;; ++i) {
        DWORD nameUnits = DWORD(name.size());
        if (RegEnumKeyExW(key, i, name.data(), &nameUnits, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        std::wstring found = saved.path + L"\\" + std::wstring(name.data(), nameUnits);
        bool known = false;
        for (const auto& s : saved.subkeys) known = known || s->path == found;
        if (!known) extra.push_back(found);
    }
    for (const auto& subkey : extra) ok = RegDeleteTreeW(HKEY_LOCAL_MACHINE, subkey.c_str()) == ERROR_SUCCESS && ok;
    for (const auto& v : saved.values)
        ok = RegSetValueExW(key, v.name.c_str(), 0, v.type, v.data.data(), DWORD(v.data.size())) == ERROR_SUCCESS &&
             ok;
    RegCloseKey(key);
    for (const auto& subkey : saved.subkeys) ok = Restore(*subkey) && ok;
    return ok;
}

}  // namespace

RegistrySnapshot::RegistrySnapshot(const std::string& listFile) {
    std::ifstream in(listFile);
    for (std::string line; std::getline(in, line);) {
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        keys_.push_back(Save(std::wstring(line.begin(), line.end())));
    }
}

RegistrySnapshot::~RegistrySnapshot() = default;

bool RegistrySnapshot::restore() {
    bool ok = true;
    for (const auto& key : keys_) ok = Restore(*key) && ok;
    return ok;
}

}  // namespace qlrel
