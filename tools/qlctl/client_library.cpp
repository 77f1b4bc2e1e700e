#include "client_library.h"

#include <string>

#include "command.h"
#include "output.h"

namespace qlctl {

namespace {

// The folder of qlctl.exe with a trailing separator; empty if unknown.
std::wstring OwnFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = GetModuleFileNameW(nullptr, &path[0], DWORD(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        if (path.size() >= 32768) return {};  // longer than any Windows path
        path.resize(path.size() * 2);
    }
    size_t separator = path.find_last_of(L"\\/");
    return separator == std::wstring::npos ? std::wstring() : path.substr(0, separator + 1);
}

std::string ErrorText(DWORD error) {
    wchar_t message[256] = L"";
    DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                                  message, sizeof message / sizeof message[0], nullptr);
    while (length > 0 && (message[length - 1] == L'\n' || message[length - 1] == L'\r' || message[length - 1] == L' '))
        message[--length] = L'\0';
    std::string text = "error " + std::to_string(error);
    return length ? text + " (" + Utf8(message) + ")" : text;
}

}  // namespace

ClientLibrary::~ClientLibrary() {
    if (module_) FreeLibrary(module_);
}

bool ClientLibrary::load() {
    if (module_) return true;
    if (loadFailed_) return false;
    // The full path: the copy beside the tool, never one found elsewhere on
    // the search path.
    std::wstring path = OwnFolder() + L"qlclapi.dll";
    module_ = LoadLibraryW(path.c_str());
    if (!module_) {
        loadFailed_ = true;
        WriteErr("qlctl: cannot load " + Utf8(path) + ": " + ErrorText(GetLastError()) + "\n");
        return false;
    }
    return true;
}

FARPROC ClientLibrary::findExport(const char* name) {
    if (!load()) return nullptr;
    FARPROC function = GetProcAddress(module_, name);
    if (!function) WriteErr(std::string("qlctl: qlclapi.dll does not export ") + name + " (an older library?)\n");
    return function;
}

}  // namespace qlctl
