#include "registry_snapshot.h"

#include <windows.h>

#include <fstream>
#include <vector>

namespace qlrel {

namespace {

// The copies live below the user's hive, one subkey per key of the list.
constexpr REGSAM kView = KEY_WOW64_64KEY;
const std::wstring kCopies = L"Software\\QlclapiReliabilitySaved";

enum class Saved { Absent, Copied, Failed };
std::vector<std::pair<std::wstring, Saved>> g_keys;

std::wstring CopyPath(size_t index) { return kCopies + L"\\" + std::to_wstring(index); }

// Makes key `to` hold what key `from` holds, values and subkeys.
bool Copy(HKEY fromRoot, const std::wstring& from, HKEY toRoot, const std::wstring& to) {
    HKEY source, target;
    if (RegOpenKeyExW(fromRoot, from.c_str(), 0, KEY_READ | kView, &source) != ERROR_SUCCESS) return false;
    bool ok = RegCreateKeyExW(toRoot, to.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | kView, nullptr, &target,
                              nullptr) == ERROR_SUCCESS;
    if (ok) {
        // What the key holds now goes first, so that what appeared since the
        // save goes with it; the key itself stays, for whoever holds it open.
        ok = RegDeleteTreeW(target, nullptr) == ERROR_SUCCESS && RegCopyTreeW(source, nullptr, target) == ERROR_SUCCESS;
        RegCloseKey(target);
    }
    RegCloseKey(source);
    return ok;
}

}  // namespace

size_t SaveRegistryKeys(const std::string& listFile) {
    RegDeleteTreeW(HKEY_CURRENT_USER, kCopies.c_str());
    std::ifstream in(listFile);
    for (std::string line; std::getline(in, line);) {
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        const std::wstring path(line.begin(), line.end());
        HKEY key;
        Saved saved = Saved::Absent;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ | kView, &key) == ERROR_SUCCESS) {
            RegCloseKey(key);
            saved = Copy(HKEY_LOCAL_MACHINE, path, HKEY_CURRENT_USER, CopyPath(g_keys.size())) ? Saved::Copied
                                                                                              : Saved::Failed;
        }
        g_keys.push_back({path, saved});
    }
    return g_keys.size();
}

bool RestoreRegistryKeys() {
    bool ok = true;
    for (size_t i = 0; i < g_keys.size(); ++i) {
        const auto& [path, saved] = g_keys[i];
        if (saved == Saved::Copied) {
            ok = Copy(HKEY_CURRENT_USER, CopyPath(i), HKEY_LOCAL_MACHINE, path) && ok;
        } else if (saved == Saved::Absent) {
            const LONG status = RegDeleteTreeW(HKEY_LOCAL_MACHINE, path.c_str());
            ok = (status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND) && ok;
        } else {
            ok = false;
        }
    }
    RegDeleteTreeW(HKEY_CURRENT_USER, kCopies.c_str());
    return ok;
}

}  // namespace qlrel
