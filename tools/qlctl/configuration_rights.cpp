#include "configuration_rights.h"

#include <windows.h>

namespace qlctl {

bool LacksRightsToChange(const wchar_t* keyPath) {
    std::wstring path = keyPath;
    for (;;) {
        HKEY key = nullptr;
        LONG status = RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_SET_VALUE | KEY_CREATE_SUB_KEY, &key);
        if (status == ERROR_SUCCESS) RegCloseKey(key);
        if (status != ERROR_FILE_NOT_FOUND) return status == ERROR_ACCESS_DENIED;
        size_t parent = path.find_last_of(L'\\');
        if (parent == std::wstring::npos) return false;
        path.resize(parent);
    }
}

std::string NeedsAdministrator(const std::string& what) {
    return what + " needs administrator rights: the registry refused the change. Run qlctl from an "
                  "elevated prompt (Run as administrator).";
}

}  // namespace qlctl
