#include "diag/diag_status.h"

#include <nlohmann/json.hpp>

#include "diag/json_text.h"
#include "core/utf8_text.h"

namespace qlclapi {

namespace {

// The member, or null when the reply is not an object or lacks it.
const JsonValue* Member(const JsonValue& reply, const char* name) noexcept {
    if (!reply.is_object()) return nullptr;
    auto found = reply.find(name);
    return found == reply.end() ? nullptr : &*found;
}

struct CollectionName {
    const char* text;
    int32_t state;
};

const CollectionName kCollectionNames[] = {
    {"stopped", kCollectionStopped},          {"", kCollectionStopped},
    {"collecting", kCollectionCollecting},    {"sleep-diags", kCollectionSleepDiags},
    {"sleep-bypass", kCollectionSleepBypass}, {"sleep-disabled", kCollectionSleepDisabled},
    {"restart", kCollectionRestart},
};

}  // namespace

std::string GetStringMember(const JsonValue& reply, const char* name) {
    const JsonValue* member = Member(reply, name);
    return member && member->is_string() ? member->get_ref<const std::string&>() : std::string();
}

std::u16string GetWStringMember(const JsonValue& reply, const char* name) {
    return FromUtf8(GetStringMember(reply, name));
}

int32_t GetIntMember(const JsonValue& reply, const char* name, int32_t fallback) noexcept {
    const JsonValue* member = Member(reply, name);
    if (!member) return fallback;
    if (member->is_number_unsigned()) return int32_t(uint32_t(member->get<uint64_t>()));
    if (member->is_number_integer()) return int32_t(uint32_t(uint64_t(member->get<int64_t>())));
    if (member->is_number_float()) {
        double value = member->get<double>();
        // Truncation toward zero fits exactly when -2^31 - 1 < value < 2^31.
        return value > -2147483649.0 && value < 2147483648.0 ? int32_t(value) : INT32_MIN;
    }
    return fallback;
}

uint64_t GetUInt64Member(const JsonValue& reply, const char* name, uint64_t fallback) noexcept {
    const JsonValue* member = Member(reply, name);
    if (!member) return fallback;
    if (member->is_number_unsigned()) return member->get<uint64_t>();
    if (member->is_number_integer() && member->get<int64_t>() >= 0) return uint64_t(member->get<int64_t>());
    return fallback;
}

bool GetBoolMember(const JsonValue& reply, const char* name, bool fallback) noexcept {
    const JsonValue* member = Member(reply, name);
    return member && member->is_boolean() ? member->get<bool>() : fallback;
}

ScaledNumber GetScaledNumber(const JsonValue& reply, const char* name, double factor) noexcept {
    const JsonValue* member = Member(reply, name);
    ScaledNumber number;
    if (!member || !member->is_number()) return number;
    number.present = 1;
    if (member->is_number_unsigned()) number.value = double(member->get<uint64_t>()) * factor;
    else if (member->is_number_integer()) number.value = double(member->get<int64_t>()) * factor;
    else number.value = member->get<double>() * factor;
    return number;
}

int32_t GetCollectionState(const JsonValue& reply) noexcept {
    if (!reply.is_object() || reply.empty()) return kCollectionStopped;
    const JsonValue* member = Member(reply, status_member::kCollectionState);
    if (!member || !member->is_string()) return kCollectionStopped;
    const std::string& text = member->get_ref<const std::string&>();
    for (const CollectionName& name : kCollectionNames)
        if (text == name.text) return name.state;
    return kCollectionOther;
}

bool IsCollecting(const JsonValue& reply) noexcept {
    return GetCollectionState(reply) == kCollectionCollecting;
}

bool IsServerReachable(const JsonValue& reply) noexcept {
    return GetBoolMember(reply, status_member::kServerReachable, false);
}

uint64_t LastMessageSentTime(const JsonValue& reply) noexcept {
    return GetUInt64Member(reply, status_member::kLastMessageSent, 0);
}

bool IsReportEnabled(const JsonValue& reply) noexcept {
    return GetBoolMember(reply, status_member::kReportEnabled, false);
}
bool IsReportActive(const JsonValue& reply) noexcept {
    return GetBoolMember(reply, status_member::kReportActive, false);
}
int32_t GetReportInstance(const JsonValue& reply) noexcept {
    return GetIntMember(reply, status_member::kReportInstance, 0);
}
int32_t GetReportPercentComplete(const JsonValue& reply) noexcept {
    return GetIntMember(reply, status_member::kReportPercentComplete, 0);
}
std::u16string GetReportCurrentTest(const JsonValue& reply) {
    return GetWStringMember(reply, status_member::kReportCurrentTest);
}
DiagSource GetReportSource(const JsonValue& reply) {
    return SourceFromName(GetStringMember(reply, status_member::kReportSource));
}
bool IsTestEnabled(const JsonValue& reply) noexcept { return GetBoolMember(reply, status_member::kTestEnabled, false); }
bool IsTestActive(const JsonValue& reply) noexcept { return GetBoolMember(reply, status_member::kTestActive, false); }
bool IsTestCoolingOff(const JsonValue& reply) noexcept {
    return GetBoolMember(reply, status_member::kTestCooloff, false);
}
int32_t GetTestInstance(const JsonValue& reply) noexcept { return GetIntMember(reply, status_member::kTestInstance, 0); }
DiagSource GetTestSource(const JsonValue& reply) {
    return SourceFromName(GetStringMember(reply, status_member::kTestSource));
}
std::u16string GetTestFailure(const JsonValue& reply) { return GetWStringMember(reply, status_member::kTestFail); }

TestMeasurements GetTestMeasurements(const JsonValue& reply) noexcept {
    TestMeasurements measurements;
    measurements.latencyMs = GetScaledNumber(reply, status_member::kTestLatencyMs, 1.0);
    measurements.rxMaxBits = GetScaledNumber(reply, status_member::kTestRxBpsMax, 8.0);
    measurements.txMaxBits = GetScaledNumber(reply, status_member::kTestTxBpsMax, 8.0);
    return measurements;
}

std::u16string StatusText(const JsonValue& reply) noexcept {
    try {
        return FromUtf8(SerializeCompact(reply));
    } catch (const std::exception&) {
        return std::u16string();
    }
}

}  // namespace qlclapi
