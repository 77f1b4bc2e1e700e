#include "core/utf8_text.h"

namespace qlclapi {

namespace {

bool IsHigh(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLow(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// Walks the units, handing each code point (a lone low surrogate as itself)
// to `put`; false at a high surrogate without its partner.
template <typename Put>
bool WalkUtf16(const char16_t* text, size_t units, Put put) {
    for (size_t i = 0; i < units; ++i) {
        char32_t unit = text[i];
        if (IsHigh(text[i])) {
            if (i + 1 >= units || !IsLow(text[i + 1])) return false;
            unit = 0x10000 + ((unit - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        }
        put(unit);
    }
    return true;
}

size_t Utf8Bytes(char32_t point) { return point < 0x80 ? 1 : point < 0x800 ? 2 : point < 0x10000 ? 3 : 4; }

char* PutUtf8(char32_t point, char* out) {
    if (point < 0x80) {
        *out++ = char(point);
    } else if (point < 0x800) {
        *out++ = char(0xC0 | point >> 6);
        *out++ = char(0x80 | (point & 0x3F));
    } else if (point < 0x10000) {
        *out++ = char(0xE0 | point >> 12);
        *out++ = char(0x80 | (point >> 6 & 0x3F));
        *out++ = char(0x80 | (point & 0x3F));
    } else {
        *out++ = char(0xF0 | point >> 18);
        *out++ = char(0x80 | (point >> 12 & 0x3F));
        *out++ = char(0x80 | (point >> 6 & 0x3F));
        *out++ = char(0x80 | (point & 0x3F));
    }
    return out;
}

// One code point from bytes[i...]; 0xFFFFFFFF when the sequence there is
// not well-formed. `length` receives its byte count.
char32_t DecodeUtf8(const unsigned char* bytes, size_t available, size_t& length) {
    constexpr char32_t kBad = 0xFFFFFFFF;
    unsigned char lead = bytes[0];
    length = 1;
    if (lead < 0x80) return lead;
    char32_t point;
    char32_t smallest;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, point = lead & 0x1F, smallest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, point = lead & 0x0F, smallest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, point = lead & 0x07, smallest = 0x10000;
    } else {
        return kBad;  // a continuation byte, an overlong lead C0/C1, or F5..FF
    }
    if (length > available) return kBad;
    for (size_t k = 1; k < length; ++k) {
        if ((bytes[k] & 0xC0) != 0x80) return kBad;
        point = point << 6 | (bytes[k] & 0x3F);
    }
    if (point < smallest || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF) || point == 0xFFFE ||
        point == 0xFFFF)
        return kBad;
    return point;
}

}  // namespace

size_t Utf8Length(const char16_t* text, size_t units) noexcept {
    size_t bytes = 0;
    if (!WalkUtf16(text, units, [&](char32_t point) { bytes += Utf8Bytes(point); })) return kNotConvertible;
    return bytes;
}

void WriteUtf8(const char16_t* text, size_t units, char* out) noexcept {
    WalkUtf16(text, units, [&](char32_t point) { out = PutUtf8(point, out); });
}

bool ConvertToUtf8(const char16_t* text, size_t units, std::string& out) {
    out.clear();
    size_t bytes = Utf8Length(text, units);
    if (bytes == kNotConvertible) return false;
    out.resize(bytes);
    WriteUtf8(text, units, &out[0]);
    return true;
}

std::string ToUtf8(const char16_t* text, size_t units) {
    std::string out;
    ConvertToUtf8(text, units, out);
    return out;
}

std::string ToUtf8(const std::u16string& text) { return ToUtf8(text.data(), text.size()); }

bool ConvertFromUtf8(const char* text, size_t length, std::u16string& out) {
    out.clear();
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    size_t units = 0;
    for (size_t i = 0, step = 0; i < length; i += step) {
        char32_t point = DecodeUtf8(bytes + i, length - i, step);
        if (point == 0xFFFFFFFF) return false;
        units += point >= 0x10000 ? 2 : 1;
    }
    out.reserve(units);
    for (size_t i = 0, step = 0; i < length; i += step) {
        char32_t point = DecodeUtf8(bytes + i, length - i, step);
        if (point >= 0x10000) {
            out.push_back(char16_t(0xD800 + ((point - 0x10000) >> 10)));
            out.push_back(char16_t(0xDC00 + ((point - 0x10000) & 0x3FF)));
        } else {
            out.push_back(char16_t(point));
        }
    }
    return true;
}

std::u16string FromUtf8(const char* bytes, size_t length) {
    std::u16string out;
    ConvertFromUtf8(bytes, length, out);
    return out;
}

std::u16string FromUtf8(const std::string& text) { return FromUtf8(text.data(), text.size()); }

}  // namespace qlclapi
