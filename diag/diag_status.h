// The diagnostics service's status, read from the reply to a "state"
// command. The readers never fail: a missing member, a member of another
// JSON type, or a reply that is not an object (the null value of a failed
// exchange included) gives the reader's default. Booleans are never taken
// from numbers, nor numbers from strings.
#pragma once

#include <cstdint>
#include <string>

#include "diag/diag_source.h"
#include "diag/json_value.h"

namespace qlclapi {

namespace status_member {
constexpr char kCollectionState[] = "collection-state";
constexpr char kServerReachable[] = "server-reachable";
constexpr char kLastMessageSent[] = "last-message-sent";
constexpr char kReportEnabled[] = "report-enabled";
constexpr char kReportActive[] = "report-active";
constexpr char kReportInstance[] = "report-instance";
constexpr char kReportPercentComplete[] = "report-percent-complete";
constexpr char kReportCurrentTest[] = "report-current-test";
constexpr char kReportSource[] = "report-source";
constexpr char kTestEnabled[] = "test-enabled";
constexpr char kTestActive[] = "test-active";
constexpr char kTestCooloff[] = "test-cooloff";
constexpr char kTestInstance[] = "test-instance";
constexpr char kTestSource[] = "test-source";
constexpr char kTestFail[] = "test-fail";
constexpr char kTestLatencyMs[] = "test-latency-ms";
constexpr char kTestRxBpsMax[] = "test-rx-bps-max";
constexpr char kTestTxBpsMax[] = "test-tx-bps-max";
}  // namespace status_member

// The filters of the two status queries: exact member names and name
// prefixes, each list joined by ",".
constexpr char kGeneralExactFilter[] = "collection-state,server-reachable,last-message-sent";
constexpr char kGeneralWildcardFilter[] = "";
constexpr char kReportTestExactFilter[] = "collection-state";
constexpr char kReportTestWildcardFilter[] = "report-,test-";

enum CollectionState : int32_t {
    kCollectionOther = 0,          // a text the library does not know
    kCollectionStopped = 1,        // "stopped", "", missing, not a string, no reply
    kCollectionCollecting = 2,     // "collecting"
    kCollectionSleepDiags = 3,     // "sleep-diags"
    kCollectionSleepBypass = 4,    // "sleep-bypass"
    kCollectionSleepDisabled = 5,  // "sleep-disabled"
    kCollectionRestart = 6,        // "restart"
};

// A measurement: present when its member is a number (an integer of either
// sign or a floating value); then the value as a double times the factor.
struct ScaledNumber {
    uint8_t present = 0;
    double value = 0.0;
};

struct TestMeasurements {
    ScaledNumber latencyMs;   // "test-latency-ms" x 1.0
    ScaledNumber rxMaxBits;   // "test-rx-bps-max" x 8.0: bytes to bits per second
    ScaledNumber txMaxBits;   // "test-tx-bps-max" x 8.0
};

// Generic readers.
std::string GetStringMember(const JsonValue& reply, const char* name);
// Strict UTF-8 to UTF-16: invalid UTF-8 gives the empty text.
std::u16string GetWStringMember(const JsonValue& reply, const char* name);
// Integers: their low 32 bits as a signed value. Floating values: truncated
// toward zero, -2147483648 when out of the 32-bit range.
int32_t GetIntMember(const JsonValue& reply, const char* name, int32_t fallback) noexcept;
// Integers of 0 or more only; floating values give the fallback.
uint64_t GetUInt64Member(const JsonValue& reply, const char* name, uint64_t fallback) noexcept;
bool GetBoolMember(const JsonValue& reply, const char* name, bool fallback) noexcept;
ScaledNumber GetScaledNumber(const JsonValue& reply, const char* name, double factor) noexcept;

// Named readers.
int32_t GetCollectionState(const JsonValue& reply) noexcept;
bool IsCollecting(const JsonValue& reply) noexcept;
bool IsServerReachable(const JsonValue& reply) noexcept;
// "last-message-sent" as a file time (100 ns since 1601, UTC); 0 when
// missing, negative or not an integer.
uint64_t LastMessageSentTime(const JsonValue& reply) noexcept;
bool IsReportEnabled(const JsonValue& reply) noexcept;
bool IsReportActive(const JsonValue& reply) noexcept;
int32_t GetReportInstance(const JsonValue& reply) noexcept;
int32_t GetReportPercentComplete(const JsonValue& reply) noexcept;
std::u16string GetReportCurrentTest(const JsonValue& reply);
DiagSource GetReportSource(const JsonValue& reply);
bool IsTestEnabled(const JsonValue& reply) noexcept;
bool IsTestActive(const JsonValue& reply) noexcept;
bool IsTestCoolingOff(const JsonValue& reply) noexcept;
int32_t GetTestInstance(const JsonValue& reply) noexcept;
DiagSource GetTestSource(const JsonValue& reply);
std::u16string GetTestFailure(const JsonValue& reply);
TestMeasurements GetTestMeasurements(const JsonValue& reply) noexcept;
// The whole reply as compact JSON in UTF-16; empty when it cannot be
// serialised. Never throws.
std::u16string StatusText(const JsonValue& reply) noexcept;

}  // namespace qlclapi
