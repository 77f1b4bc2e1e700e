#include "tools/qlstrings/pseudo_locale.h"

namespace qlstrings {

namespace {

char16_t Accented(char16_t unit) {
    static const char16_t kPlain[] = u"AaCcDdEeIiNnOoUuYy";
    static const char16_t kAccented[] = u"\u00C5\u00E5\u00C7\u00E7\u00D0\u00F0\u00C9\u00E9\u00CE\u00EE"
                                        u"\u00D1\u00F1\u00D6\u00F6\u00DC\u00FC\u00DD\u00FD";
    for (size_t i = 0; kPlain[i]; ++i)
        if (kPlain[i] == unit) return kAccented[i];
    return unit;
}

}  // namespace

std::u16string PseudoText(const std::u16string& text, unsigned percent) {
    std::u16string out = u"[";
    for (size_t i = 0; i < text.size(); ++i) {
        // A directive is copied whole: its letter is not a letter of the text.
        if (text[i] == u'%' && i + 1 < text.size()) {
            out += text[i];
            out += text[++i];
            continue;
        }
        out += Accented(text[i]);
    }
    const size_t wanted = text.size() + (text.size() * percent + 50) / 100;
    size_t padding = wanted > out.size() + 1 ? wanted - out.size() - 1 : 0;
    if (padding) {
        out += u' ';
        out.append(padding - 1, u'!');
    }
    return out + u"]";
}

std::vector<StringEntry> PseudoLocalize(const std::vector<StringEntry>& entries, unsigned percent) {
    std::vector<StringEntry> out;
    for (const StringEntry& entry : entries)
        if (!entry.text.empty()) out.push_back({entry.id, PseudoText(entry.text, percent)});
    return out;
}

}  // namespace qlstrings
