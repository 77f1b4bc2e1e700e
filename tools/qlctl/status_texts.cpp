#include "status_texts.h"

#include <windows.h>

#include "client_library.h"
#include "command.h"
#include "output.h"
#include "status/language_module_win.h"

namespace qlctl {

namespace {

// A reason's id in the string table; ids are 16 bits.
constexpr uint32_t kReasonBase = 34000;

}  // namespace

bool ConnectionStatusText(ClientLibrary& library, std::string& text) {
    auto getText = QLCTL_EXPORT(library, QuorlanGetConnectionStateString);
    if (!getText) return false;
    QlUInt32 bytes = 0;
    getText(nullptr, &bytes);
    if (bytes < sizeof(wchar_t) || bytes > 1024 * 1024) return false;
    std::wstring units(bytes / sizeof(wchar_t), L'\0');
    QlUInt32 length = bytes;
    if (!getText(&units[0], &length)) return false;
    units.resize(wcsnlen(units.c_str(), units.size()));
    text = Utf8(units);
    return true;
}

std::string ReasonText(ClientLibrary& library, uint32_t code) {
    HMODULE module = library.module();
    if (!module || code > 0xFFFF - kReasonBase) return {};
    qlclapi::LanguageModule language(module);
    wchar_t text[1024] = L"";
    int units = LoadStringW(language.strings(), kReasonBase + code, text, int(sizeof text / sizeof text[0]));
    return units > 0 ? Utf8(std::wstring(text, wcsnlen(text, size_t(units)))) : std::string();
}

std::string WithNewlines(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) out += text[i];
    return out;
}

}  // namespace qlctl
