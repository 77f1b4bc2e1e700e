#include "quoted.h"

#include <cstdio>

namespace qlsim {

std::string Quoted(const std::u16string& text) {
    std::string quoted = "\"";
    for (char16_t unit : text) {
        if (unit == u'"' || unit == u'\\') {
            quoted += '\\';
            quoted += char(unit);
        } else if (unit >= 0x20 && unit < 0x7F) {
            quoted += char(unit);
        } else {
            // Units, not code points: a lone surrogate stays visible as itself.
            char escape[8];
            snprintf(escape, sizeof escape, "\\u%04x", unsigned(unit));
            quoted += escape;
        }
    }
    return quoted + "\"";
}

std::string Quoted(const std::wstring& text, size_t most) {
    static_assert(sizeof(wchar_t) == sizeof(char16_t), "wchar_t holds UTF-16 units");
    if (text.size() <= most) return Quoted(std::u16string(text.begin(), text.end()));
    return Quoted(std::u16string(text.begin(), text.begin() + most)) + "...";
}

}  // namespace qlsim
