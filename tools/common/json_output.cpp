#include "tools/common/json_output.h"

namespace qltool {

namespace {

std::string Dump(const nlohmann::json& value) {
    return value.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

}  // namespace

JsonObject& JsonObject::addString(const std::string& name, const std::string& utf8) {
    members_[name] = utf8;
    return *this;
}

JsonObject& JsonObject::addNumber(const std::string& name, int64_t value) {
    members_[name] = value;
    return *this;
}

JsonObject& JsonObject::addUnsigned(const std::string& name, uint64_t value) {
    members_[name] = value;
    return *this;
}

JsonObject& JsonObject::addBool(const std::string& name, bool value) {
    members_[name] = value;
    return *this;
}

JsonObject& JsonObject::addNull(const std::string& name) {
    members_[name] = nullptr;
    return *this;
}

std::string JsonObject::text() const { return Dump(members_); }

std::string JsonString(const std::string& utf8) { return Dump(nlohmann::json(utf8)); }

}  // namespace qltool
