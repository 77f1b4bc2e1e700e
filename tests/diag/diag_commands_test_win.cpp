// Reports, bandwidth tests and custom tags through the exports and their VB
// twins: the request bytes the diagnostics service received, the settings
// that gate reports and tests, and nothing left behind (no converted text in
// the heap, no handle).
#include <gtest/gtest.h>

#include <string>

#include "qlclapi.h"
#include "settings_blob_image.h"
#include "support/diag_service.h"
#include "support/heap_scan.h"
#include "support/library.h"

namespace qltest {
namespace {

using Messages = std::vector<std::string>;

class DiagCommands : public DiagServiceTest {
protected:
    void SetUp() override {
        DiagServiceTest::SetUp();
        ASSERT_TRUE(library_.loaded());
    }
    Library library_;
};

std::string Start(const char* type, const std::string& memo) {
    return R"({"memo":")" + memo + R"(","source":"API","type":")" + type + "\"}";
}

// The route of a caller's text to the wire: null and empty give the empty
// string, UTF-16 and ANSI arrive as UTF-8, a text that cannot be converted
// is sent empty, a null tag value is left out and a null key sends nothing.
// (Escapes and every form: the native JSON and UTF-8 tests.)
TEST_F(DiagCommands, TextsReachTheWireAsUtf8InWireOrder) {
    QL_EXPORT(library_, QuorlanStartReport);
    QL_EXPORT(library_, QuorlanStartBandwidthTest);
    QL_EXPORT(library_, QuorlanSetCustomTag);
    QL_EXPORT(library_, QuorlanStartReportVB);
    QL_EXPORT(library_, QuorlanStartBandwidthTestVB);
    QL_EXPORT(library_, QuorlanSetCustomTagVB);
    allowReportsAndTests();
    const std::pair<const wchar_t*, std::string> kTexts[] = {
        {L"abc", "abc"}, {nullptr, ""}, {L"", ""},
        {L"caf\u00e9 \xD83D\xDE00", "caf\xC3\xA9 \xF0\x9F\x98\x80"}, {L"abc\xD800", ""}};
    for (const auto& [text, onWire] : kTexts) {
        EXPECT_EQ(QuorlanStartReport(text), 1u);
        EXPECT_EQ(QuorlanStartBandwidthTest(text), 1u);
        EXPECT_EQ(QuorlanSetCustomTag(text ? text : L"", text ? text : L""), 1u);
        EXPECT_EQ(takeRequests(), (Messages{Start("startReport", onWire), Start("startBandwidth", onWire),
                                            R"({"key":")" + onWire + R"(","type":"customEvent","value":")" + onWire + "\"}"}))
            << onWire;
    }
    EXPECT_EQ(QuorlanSetCustomTag(L"abc", nullptr), 1u);
    EXPECT_EQ(QuorlanSetCustomTagVB("vb", nullptr), 1u);
    EXPECT_EQ(QuorlanSetCustomTagVB("vb", "v\xE9"), 1u) << "ANSI 0xE9 is e-acute in the prefix's code page";
    EXPECT_EQ(QuorlanStartBandwidthTestVB("m\xE9"), 1u);
    EXPECT_EQ(QuorlanStartReportVB(nullptr), 1u);
    EXPECT_EQ(takeRequests(), (Messages{R"({"key":"abc","type":"customEvent"})", R"({"key":"vb","type":"customEvent"})",
                                        "{\"key\":\"vb\",\"type\":\"customEvent\",\"value\":\"v\xC3\xA9\"}",
                                        Start("startBandwidth", "m\xC3\xA9"), Start("startReport", "")}));
    const uint64_t before = connections();
    EXPECT_EQ(QuorlanSetCustomTag(nullptr, L"value"), 0u);
    EXPECT_EQ(QuorlanSetCustomTagVB(nullptr, "value"), 0u);
    EXPECT_EQ(connections(), before) << "a null key must not reach the pipe";
}

// The gates: each command reads its own setting, a value of 0 or a read
// that fails keeps it back, and then no connection is made at all. (How
// the stores are read: tests/config.)
void Text(uint32_t id, const wchar_t* value) {
    ASSERT_TRUE(SettingsStores::UseTextStore());
    ASSERT_TRUE(SettingsStores::SetText(id, value));
}

void Blob(std::vector<qlsim::BlobEntry> entries) {
    qlsim::BlobImage image;
    image.entries = std::move(entries);
    ASSERT_TRUE(SettingsStores::SetBlob(qlsim::BuildBlob(image)));
}

qlsim::BlobEntry Number(uint32_t id, uint32_t value) { return qlsim::BlobEntry{id, 0, qlsim::NumberData(value), -1}; }

const struct GateCase {
    const char* name;
    void (*store)();
    bool reportSent, bandwidthSent;
} kGateCases[] = {
    {"NothingStored", [] {}, false, false},
    {"ReportsOnly", [] { Text(24850, L"1"), Text(24872, L"0"); }, true, false},
    {"BandwidthOnly", [] { Text(24850, L"0"), Text(24872, L"7"); }, false, true},
    {"BothInTheBinaryStore", [] { Blob({Number(24872, 2), Number(24850, 1)}); }, true, true},
    {"UnreadableStore", [] { Blob({qlsim::BlobEntry{24850, 0, {1, 0, 0, 0}, 5}}); }, false, false},
};

TEST_F(DiagCommands, SendOnlyWhatTheirSettingAllows) {
    QL_EXPORT(library_, QuorlanStartReport);
    QL_EXPORT(library_, QuorlanStartBandwidthTestVB);
    for (const GateCase& c : kGateCases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(SettingsStores::Clear() && SettingsStores::UseBinaryStore());
        c.store();
        const uint64_t before = connections();
        EXPECT_EQ(QuorlanStartReport(L"r"), c.reportSent ? 1u : 0u);
        EXPECT_EQ(QuorlanStartBandwidthTestVB("b"), c.bandwidthSent ? 1u : 0u);
        Messages expected;
        if (c.reportSent) expected.push_back(Start("startReport", "r"));
        if (c.bandwidthSent) expected.push_back(Start("startBandwidth", "b"));
        EXPECT_EQ(takeRequests(), expected);
        EXPECT_EQ(connections() - before, expected.size()) << "a request the setting refused still opened the pipe";
    }
}

// (A bandwidth test takes the same way from the reply to the result.)
TEST_F(DiagCommands, ServiceRefusalsAreFailures) {
    QL_EXPORT(library_, QuorlanStartReport);
    allowReportsAndTests();
    ASSERT_TRUE(service().timing(60000, 60000, 0));
    EXPECT_EQ(QuorlanStartReport(L"first"), 1u);
    EXPECT_EQ(QuorlanStartReport(L"second"), 0u) << "the service answers \"busy\" while a report runs";
    EXPECT_EQ(takeRequests().size(), 2u);
}

TEST_F(DiagCommands, LeavesNoConvertedTextOrHandleBehind) {
    QL_EXPORT(library_, QuorlanStartReportVB);
    QL_EXPORT(library_, QuorlanSetCustomTag);
    QL_EXPORT(library_, QuorlanSetCustomTagVB);
    allowReportsAndTests();
    // On the stack only, so that the only heap copies are the library's.
    char memo[] = "Zq9-unlikely-memo-4417-abcdef";
    wchar_t value[] = L"Wv3-unlikely-value-8812-ghijkl";
    char valueAnsi[] = "Wv3-unlikely-value-8812-ghijkl";
    ASSERT_FALSE(ProcessHeapsContain(memo, sizeof memo - 1));
    ASSERT_FALSE(ProcessHeapsContain(valueAnsi, sizeof valueAnsi - 1));
    // Warm up what the first exchange sets up once in the process.
    QuorlanSetCustomTag(L"warm", L"up");
    const uintptr_t handle = NextHandleValue();
    for (int round = 0; round < 20; ++round) {
        ASSERT_EQ(QuorlanStartReportVB(memo), 1u);
        ASSERT_EQ(QuorlanSetCustomTag(L"tag", value), 1u);
        ASSERT_EQ(QuorlanSetCustomTagVB("tag", valueAnsi), 1u);
    }
    EXPECT_EQ(NextHandleValue(), handle) << "a call left a handle open";
    EXPECT_FALSE(ProcessHeapsContain(memo, sizeof memo - 1)) << "the memo's UTF-8 form was released unwiped";
    EXPECT_FALSE(ProcessHeapsContain(valueAnsi, sizeof valueAnsi - 1)) << "a value's UTF-8 form was released unwiped";
    EXPECT_FALSE(ProcessHeapsContain(value, sizeof value - sizeof(wchar_t))) << "a converted ANSI text was not wiped";
    EXPECT_EQ(takeRequests().size(), 61u);
}

}  // namespace
}  // namespace qltest
