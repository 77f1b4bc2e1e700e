// Fuzzes what the library does with a diagnostics reply: arbitrary bytes
// parsed as a reply, then every status reader, the success test and the
// status text.
//
// Checks: nothing throws, crashes or recurses without bound; a reply that
// parses serialises exactly as the JSON library's own dump would, and that
// text parses back to the same value; the readers agree with each other.
#include <cstdint>
#include <cstdlib>
#include <nlohmann/json.hpp>

#include "diag/diag_status.h"
#include "diag/json_text.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace qlclapi;
    JsonValue reply = ParseJsonText(reinterpret_cast<const char*>(data), size);
    const int32_t collection = GetCollectionState(reply);
    Require(collection >= kCollectionOther && collection <= kCollectionRestart);
    Require(IsCollecting(reply) == (collection == kCollectionCollecting));
    Require(!reply.is_object() || !reply.empty() || collection == kCollectionStopped);
    IsServerReachable(reply), IsReportEnabled(reply), IsReportActive(reply), IsTestEnabled(reply);
    IsTestActive(reply), IsTestCoolingOff(reply), GetReportInstance(reply), GetTestInstance(reply);
    GetReportPercentComplete(reply);
    Require(GetReportSource(reply) >= 0 && GetReportSource(reply) <= 4 && GetTestSource(reply) <= 4);
    GetReportCurrentTest(reply), GetTestFailure(reply);
    TestMeasurements m = GetTestMeasurements(reply);
    Require(m.rxMaxBits.present || m.rxMaxBits.value == 0.0);
    const uint64_t sent = LastMessageSentTime(reply);
    Require(sent == 0 || GetUInt64Member(reply, status_member::kLastMessageSent, 0) == sent);
    const bool success = IsSuccessReply(reply);
    Require(!success || GetStringMember(reply, "status") == "success");

    if (reply.is_null()) return 0;
    const std::string text = SerializeCompact(reply);
    Require(text == reply.dump());
    Require(ParseJsonText(text) == reply);
    Require(!StatusText(reply).empty());
    return 0;
}
