#include "output.h"

#include <windows.h>

#include <algorithm>
#include <climits>

namespace qlctl {

namespace {

std::wstring Wide(const std::string& utf8) {
    if (utf8.empty() || utf8.size() > INT_MAX) return {};
    int units = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
    if (units <= 0) return {};
    std::wstring wide(size_t(units), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), &wide[0], units);
    return wide;
}

// Hands `text` to `write(units, count, &written)` piece by piece, since
// either call may take less than it was offered.
template <typename Text, typename Write>
bool WriteAll(const Text& text, Write write) {
    for (size_t done = 0; done < text.size();) {
        DWORD written = 0;
        DWORD chunk = DWORD(std::min<size_t>(text.size() - done, 16384));
        if (!write(text.data() + done, chunk, &written) || written == 0) return false;
        done += written;
    }
    return true;
}

bool WriteTo(DWORD which, const std::string& utf8) {
    HANDLE handle = GetStdHandle(which);
    if (handle == INVALID_HANDLE_VALUE || handle == nullptr) return false;
    DWORD mode;
    if (GetConsoleMode(handle, &mode))
        return WriteAll(Wide(utf8), [handle](const wchar_t* units, DWORD count, DWORD* written) {
            return WriteConsoleW(handle, units, count, written, nullptr);
        });
    return WriteAll(utf8, [handle](const char* bytes, DWORD count, DWORD* written) {
        return WriteFile(handle, bytes, count, written, nullptr);
    });
}

}  // namespace

bool WriteOut(const std::string& utf8) { return WriteTo(STD_OUTPUT_HANDLE, utf8); }

bool WriteErr(const std::string& utf8) { return WriteTo(STD_ERROR_HANDLE, utf8); }

}  // namespace qlctl
