#include "tools/qlstrings/rc_writer.h"

#include <cstdio>

namespace qlstrings {

std::string ResourceStringLiteral(const std::u16string& text) {
    std::string out = "L\"";
    for (char16_t unit : text) {
        if (unit == u'"') {
            out += "\"\"";
        } else if (unit == u'\\') {
            out += "\\\\";
        } else if (unit >= 0x20 && unit < 0x7F && unit != u'?') {
            out += static_cast<char>(unit);
        } else {
            char escape[8];
            snprintf(escape, sizeof escape, "\\x%04X", unsigned(unit));
            out += escape;
        }
    }
    return out + "\"";
}

std::string ResourceScript(const std::vector<StringEntry>& entries, uint16_t languageId, const std::string& origin) {
    char language[48];
    snprintf(language, sizeof language, "LANGUAGE 0x%02X, 0x%02X\n", languageId & 0x3FFu, unsigned(languageId >> 10));
    std::string out = "// Made by qlstrings from " + origin + "; edit that file, not this one.\n";
    out += language;
    bool any = false;
    for (const StringEntry& entry : entries)
        if (!entry.text.empty()) any = true;
    if (!any) return out;
    out += "STRINGTABLE\nBEGIN\n";
    for (const StringEntry& entry : entries)
        if (!entry.text.empty()) out += "    " + std::to_string(entry.id) + ", " + ResourceStringLiteral(entry.text) + "\n";
    return out + "END\n";
}

}  // namespace qlstrings
