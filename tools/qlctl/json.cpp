#include "json.h"

#include <cstdio>

namespace qlctl {

std::string JsonString(const std::string& utf8) {
    std::string quoted = "\"";
    for (unsigned char c : utf8) {
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += char(c);
        } else if (c < 0x20) {
            char escape[8];
            snprintf(escape, sizeof escape, "\\u%04x", c);
            quoted += escape;
        } else {
            quoted += char(c);
        }
    }
    return quoted + "\"";
}

JsonObject& JsonObject::addString(const std::string& name, const std::string& utf8) {
    members_[name] = JsonString(utf8);
    return *this;
}

JsonObject& JsonObject::addNumber(const std::string& name, int64_t value) {
    members_[name] = std::to_string(value);
    return *this;
}

JsonObject& JsonObject::addUnsigned(const std::string& name, uint64_t value) {
    members_[name] = std::to_string(value);
    return *this;
}

JsonObject& JsonObject::addNull(const std::string& name) {
    members_[name] = "null";
    return *this;
}

JsonObject& JsonObject::addBool(const std::string& name, bool value) {
    members_[name] = value ? "true" : "false";
    return *this;
}

std::string JsonObject::text() const {
    std::string text = "{";
    for (const auto& member : members_) {
        if (text.size() > 1) text += ',';
        text += JsonString(member.first) + ':' + member.second;
    }
    return text + "}";
}

}  // namespace qlctl
