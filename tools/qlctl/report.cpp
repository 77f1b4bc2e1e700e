#include "report.h"

#include <algorithm>

namespace qlctl {

namespace {

// C0 controls, DEL and the C1 controls (U+0080..U+009F, encoded C2 80..C2 9F).
std::string Printable(const std::string& utf8) {
    std::string shown;
    for (size_t i = 0; i < utf8.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(utf8[i]);
        if (c == 0xC2 && i + 1 < utf8.size() && static_cast<unsigned char>(utf8[i + 1]) <= 0x9F &&
            static_cast<unsigned char>(utf8[i + 1]) >= 0x80) {
            shown += '?';
            ++i;
        } else if (c < 0x20 || c == 0x7F) {
            shown += '?';
        } else {
            shown += char(c);
        }
    }
    return shown;
}

}  // namespace

Report& Report::line(const char* label, const std::string& utf8) {
    lines_.emplace_back(label, utf8);
    return *this;
}

Report& Report::text(const char* name, const char* label, const std::string& utf8) {
    json_.addString(name, utf8);
    return line(label, utf8.empty() ? "(empty)" : utf8);
}

Report& Report::optionalText(const char* name, const char* label, const std::string& utf8) {
    if (utf8.empty()) {
        json_.addNull(name);
        return line(label, "none");
    }
    json_.addString(name, utf8);
    return line(label, utf8);
}

Report& Report::number(const char* name, const char* label, uint64_t value) {
    json_.addUnsigned(name, value);
    return line(label, std::to_string(value));
}

Report& Report::numberWithWord(const char* name, const char* label, uint64_t value, const char* wordName,
                               const std::string& word) {
    json_.addUnsigned(name, value).addString(wordName, word);
    return line(label, std::to_string(value) + " (" + word + ")");
}

std::string Report::render(bool json) const {
    if (json) return json_.text();
    size_t width = 0;
    for (const auto& l : lines_) width = std::max(width, l.first.size());
    std::string text;
    for (const auto& l : lines_) {
        if (!text.empty()) text += '\n';
        text += l.first + ':' + std::string(width - l.first.size() + 1, ' ') + Printable(l.second);
    }
    return text;
}

}  // namespace qlctl
