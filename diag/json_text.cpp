#include "diag/json_text.h"

#include <nlohmann/json.hpp>

#include <stdexcept>

#include "core/hex_text.h"

namespace qlclapi {

namespace {

// Counts the bytes first, then writes them into a string reserved once.
struct CountingSink {
    size_t bytes = 0;
    void put(char) { ++bytes; }
    void put(const char*, size_t count) { bytes += count; }
};

struct StringSink {
    std::string& text;
    void put(char c) { text.push_back(c); }
    void put(const char* s, size_t count) { text.append(s, count); }
};

template <typename Sink>
void WriteString(const std::string& s, Sink& sink) {
    sink.put('"');
    for (unsigned char c : s) {
        switch (c) {
        case '"': sink.put("\\\"", 2); break;
        case '\\': sink.put("\\\\", 2); break;
        case '\b': sink.put("\\b", 2); break;
        case '\f': sink.put("\\f", 2); break;
        case '\n': sink.put("\\n", 2); break;
        case '\r': sink.put("\\r", 2); break;
        case '\t': sink.put("\\t", 2); break;
        default:
            if (c < 0x20) {
                const char escaped[6] = {'\\', 'u', '0', '0', HexDigit<char>(c >> 4, HexCase::Lower),
                                         HexDigit<char>(c & 0xF, HexCase::Lower)};
                sink.put(escaped, 6);
            } else {
                sink.put(char(c));
            }
        }
    }
    sink.put('"');
}

template <typename Sink>
void WriteValue(const JsonValue& value, Sink& sink, size_t depth) {
    switch (value.type()) {
    case JsonValue::value_t::object: {
        if (depth >= kMaxJsonNesting) throw std::length_error("JSON nested too deeply");
        sink.put('{');
        bool first = true;
        for (const auto& member : value.get_ref<const JsonValue::object_t&>()) {
            if (!first) sink.put(',');
            first = false;
            WriteString(member.first, sink);
            sink.put(':');
            WriteValue(member.second, sink, depth + 1);
        }
        sink.put('}');
        break;
    }
    case JsonValue::value_t::array: {
        if (depth >= kMaxJsonNesting) throw std::length_error("JSON nested too deeply");
        sink.put('[');
        bool first = true;
        for (const auto& element : value) {
            if (!first) sink.put(',');
            first = false;
            WriteValue(element, sink, depth + 1);
        }
        sink.put(']');
        break;
    }
    case JsonValue::value_t::string:
        WriteString(value.get_ref<const std::string&>(), sink);
        break;
    default: {
        // Numbers, booleans, null: nlohmann's own forms.
        std::string scalar = value.dump();
        sink.put(scalar.data(), scalar.size());
    }
    }
}

template <typename Char>
bool NestingWithinImpl(const Char* text, size_t length, size_t limit) noexcept {
    size_t depth = 0;
    bool inString = false, escaped = false;
    for (size_t i = 0; i < length; ++i) {
        Char c = text[i];
        if (inString) {
            if (escaped) escaped = false;
            else if (c == '\\') escaped = true;
            else if (c == '"') inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            if (++depth > limit) return false;
        } else if ((c == ']' || c == '}') && depth > 0) {
            --depth;
        }
    }
    return true;
}

template <typename Text>
JsonValue Parse(const Text& text, size_t length) noexcept {
    if (!NestingWithin(text, length, kMaxJsonNesting)) return JsonValue();
    try {
        JsonValue value = JsonValue::parse(text, text + length, nullptr, false);
        if (value.is_discarded()) return JsonValue();
        return value;
    } catch (const std::exception&) {
        return JsonValue();
    }
}

}  // namespace

std::string SerializeCompact(const JsonValue& value) {
    CountingSink counter;
    WriteValue(value, counter, 0);
    std::string text;
    text.reserve(counter.bytes);
    StringSink sink{text};
    WriteValue(value, sink, 0);
    return text;
}

bool NestingWithin(const char* text, size_t length, size_t limit) noexcept {
    return NestingWithinImpl(text, length, limit);
}

bool NestingWithin(const char16_t* text, size_t length, size_t limit) noexcept {
    return NestingWithinImpl(text, length, limit);
}

JsonValue ParseJsonText(const char* text, size_t length) noexcept { return Parse(text, length); }
JsonValue ParseJsonText(const std::string& text) noexcept { return Parse(text.data(), text.size()); }
JsonValue ParseJsonText(const std::u16string& text) noexcept { return Parse(text.data(), text.size()); }

bool IsSuccessReply(const JsonValue& reply) noexcept {
    if (!reply.is_object()) return false;
    auto status = reply.find("status");
    return status != reply.end() && status->is_string() && status->get_ref<const std::string&>() == "success";
}

}  // namespace qlclapi
