#include "resources/strings/string_source.h"

#include <fstream>
#include <iterator>
#include <set>

namespace qlstrings {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// One code point of strict UTF-8 at text[at], or false for a malformed,
// overlong or surrogate sequence.
bool DecodeUtf8(const std::string& text, size_t& at, char32_t& point) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    unsigned char lead = byte(at);
    size_t extra = lead < 0x80 ? 0 : (lead & 0xE0) == 0xC0 ? 1 : (lead & 0xF0) == 0xE0 ? 2 : (lead & 0xF8) == 0xF0 ? 3 : 4;
    if (extra == 4 || at + extra >= text.size()) return false;
    point = extra == 0 ? lead : extra == 1 ? (lead & 0x1Fu) : extra == 2 ? (lead & 0x0Fu) : (lead & 0x07u);
    for (size_t i = 1; i <= extra; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) return false;
        point = (point << 6) | (byte(at + i) & 0x3Fu);
    }
    static const char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
    if (point < kSmallest[extra] || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) return false;
    at += extra + 1;
    return true;
}

void AppendUtf16(std::u16string& out, char32_t point) {
    if (point < 0x10000) {
        out += static_cast<char16_t>(point);
        return;
    }
    point -= 0x10000;
    out += static_cast<char16_t>(0xD800 + (point >> 10));
    out += static_cast<char16_t>(0xDC00 + (point & 0x3FF));
}

// The quoted text starting at line[at] (at the opening quote); `why` says
// what is wrong when it returns false.
bool ParseQuoted(const std::string& line, size_t at, std::u16string& text, std::string& why) {
    ++at;
    while (at < line.size() && line[at] != '"') {
        if (line[at] == '\\') {
            if (at + 1 >= line.size()) break;
            static const char kEscapes[] = "\"\"\\\\n\nr\rt\t";
            const char* match = nullptr;
            for (const char* e = kEscapes; *e; e += 2)
                if (*e == line[at + 1]) match = e;
            if (!match) {
                why = std::string("unknown escape \\") + line[at + 1];
                return false;
            }
            text += static_cast<char16_t>(match[1]);
            at += 2;
            continue;
        }
        char32_t point;
        if (!DecodeUtf8(line, at, point)) {
            why = "not UTF-8 text";
            return false;
        }
        if (point < 0x20) {
            why = "a control character in the text (write \\n, \\r or \\t)";
            return false;
        }
        AppendUtf16(text, point);
    }
    if (at >= line.size()) {
        why = "the text has no closing quote";
        return false;
    }
    for (++at; at < line.size(); ++at)
        if (!IsBlank(line[at])) {
            why = "something after the closing quote";
            return false;
        }
    return true;
}

}  // namespace

StringSource ParseStringSource(const std::string& utf8) {
    StringSource source;
    std::set<uint16_t> seen;
    size_t number = 0;
    for (size_t start = 0; start <= utf8.size();) {
        ++number;
        size_t end = utf8.find('\n', start);
        if (end == std::string::npos) end = utf8.size();
        std::string line = utf8.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const auto fail = [&](const std::string& why) {
            source.error = "line " + std::to_string(number) + ": " + why;
            return source;
        };
        size_t at = 0;
        while (at < line.size() && IsBlank(line[at])) ++at;
        if (at == line.size() || line[at] == '#') continue;
        uint32_t id = 0;
        size_t digits = 0;
        for (; at < line.size() && line[at] >= '0' && line[at] <= '9' && id <= 0xFFFF; ++at, ++digits)
            id = id * 10 + uint32_t(line[at] - '0');
        if (digits == 0 || id == 0 || id > 0xFFFF) return fail("an id from 1 to 65535 must begin the line");
        if (at == line.size() || !IsBlank(line[at])) return fail("a space must follow the id");
        while (at < line.size() && IsBlank(line[at])) ++at;
        if (at == line.size() || line[at] != '"') return fail("the text must be in double quotes");
        StringEntry entry;
        entry.id = static_cast<uint16_t>(id);
        std::string why;
        if (!ParseQuoted(line, at, entry.text, why)) return fail(why);
        if (!seen.insert(entry.id).second) return fail("id " + std::to_string(id) + " appears twice");
        source.entries.push_back(std::move(entry));
    }
    return source;
}

StringSource ReadStringSourceFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        StringSource source;
        source.error = "cannot read " + path;
        return source;
    }
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    StringSource source = ParseStringSource(text);
    if (!source.error.empty()) source.error = path + ": " + source.error;
    return source;
}

std::string FormatStringSource(const std::vector<StringEntry>& entries, const std::string& heading) {
    std::string out = heading;
    for (const StringEntry& entry : entries) {
        std::u16string text;
        for (char16_t unit : entry.text) {
            switch (unit) {
            case u'"': text += u"\\\""; break;
            case u'\\': text += u"\\\\"; break;
            case u'\n': text += u"\\n"; break;
            case u'\r': text += u"\\r"; break;
            case u'\t': text += u"\\t"; break;
            default: text += unit;
            }
        }
        out += std::to_string(entry.id) + " \"" + ToUtf8(text) + "\"\n";
    }
    return out;
}

std::string ToUtf8(const std::u16string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t point = text[i];
        if (point >= 0xD800 && point <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF)
            point = 0x10000 + ((point - 0xD800) << 10) + (text[++i] - 0xDC00);
        if (point < 0x80) {
            out += static_cast<char>(point);
        } else if (point < 0x800) {
            out += static_cast<char>(0xC0 | (point >> 6));
            out += static_cast<char>(0x80 | (point & 0x3F));
        } else if (point < 0x10000) {
            out += static_cast<char>(0xE0 | (point >> 12));
            out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (point & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (point >> 18));
            out += static_cast<char>(0x80 | ((point >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (point & 0x3F));
        }
    }
    return out;
}

}  // namespace qlstrings
