#include "diag/diag_requests.h"

#include <nlohmann/json.hpp>

#include "core/secure_memory.h"

namespace qlclapi {

namespace {

// Puts the string into the object without copying its characters; the
// moved-from string may keep short texts in its own storage, so it is
// wiped as well.
void PutMember(JsonValue& object, const char* name, std::string& text) {
    object[name] = std::move(text);
    WipeString(text);
}

}  // namespace

JsonValue MakeStartRequest(const char* type, DiagSource source, std::string& memo) {
    JsonValue request = JsonValue::object();
    PutMember(request, "memo", memo);
    request["source"] = SourceName(source);
    request["type"] = type;
    return request;
}

JsonValue MakeCustomEvent(std::string& key, std::string& value, bool hasValue) {
    JsonValue request = JsonValue::object();
    PutMember(request, "key", key);
    request["type"] = command::kCustomEvent;
    if (hasValue) PutMember(request, "value", value);
    WipeString(value);
    return request;
}

JsonValue MakeTypeOnly(const char* type) {
    JsonValue request = JsonValue::object();
    request["type"] = type;
    return request;
}

JsonValue MakeStateQuery(std::string wildcardFilter, std::string exactFilter) {
    JsonValue request = JsonValue::object();
    request["exactFilter"] = std::move(exactFilter);
    request["type"] = command::kState;
    request["wildcardFilter"] = std::move(wildcardFilter);
    return request;
}

void WipeString(std::string& text) noexcept {
    // data() holds capacity() characters and the terminator.
    SecureWipe(&text[0], text.capacity());
    text.clear();
}

void WipeStrings(JsonValue& value) noexcept {
    if (value.is_string()) {
        WipeString(value.get_ref<std::string&>());
    } else if (value.is_object() || value.is_array()) {
        for (auto& element : value)
            if (element.is_string()) WipeString(element.get_ref<std::string&>());
    }
}

}  // namespace qlclapi
