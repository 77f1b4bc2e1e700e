// diag: the diagnostics service's status, read through the library's own
// status readers, and setting: one of the client's settings, read as the
// library reads it.
#include <cstdio>
#include <cstdlib>
#include <string>

#include <nlohmann/json.hpp>

#include "client_library.h"
#include "client_values.h"
#include "command.h"
#include "config/settings_catalogue.h"
#include "config/settings_preferences_win.h"
#include "config/settings_store_win.h"
#include "diag/diag_state.h"
#include "diag/diag_status.h"
#include "diag/json_text.h"
#include "diag_reasons.h"
#include "diag_watch.h"
#include "output.h"

namespace qlctl {

namespace {

using namespace qlclapi;

std::string Text(const std::u16string& text) { return Utf8(std::wstring(text.begin(), text.end())); }
std::string YesNo(bool value) { return value ? "yes" : "no"; }

const char* CollectionName(int32_t state) {
    static const char* const kNames[] = {"other", "stopped", "collecting", "sleep-diags",
                                         "sleep-bypass", "sleep-disabled", "restart"};
    return state >= 0 && state <= 6 ? kNames[state] : "other";
}

std::string SourceText(DiagSource source) {
    return std::to_string(source) + (source ? std::string(" ") + SourceName(source) : " unknown");
}

// Whole numbers in full ("20000000"), others in their shortest exact form.
std::string Measurement(const ScaledNumber& number, const char* unit) {
    if (!number.present) return "not measured";
    char text[64];
    if (number.value > -1e15 && number.value < 1e15 && number.value == double(int64_t(number.value))) {
        snprintf(text, sizeof text, "%.0f", number.value);
    } else {
        for (int precision = 1; precision <= 17; ++precision) {
            snprintf(text, sizeof text, "%.*g", precision, number.value);
            if (strtod(text, nullptr) == number.value) break;
        }
    }
    return std::string(text) + " " + unit;
}

std::string Line(const char* label, const std::string& value) {
    std::string line = label;
    line.resize(20, ' ');
    return line + value + "\n";
}

std::string StatusLines(const JsonValue& general, const JsonValue& run) {
    const int32_t collection = GetCollectionState(general);
    const std::wstring lastSent = LastMessageSentText(general);
    const TestMeasurements m = GetTestMeasurements(run);
    const std::u16string currentTest = GetReportCurrentTest(run), failure = GetTestFailure(run);
    return Line("collection state:", std::to_string(collection) + " " + CollectionName(collection)) +
           Line("server reachable:", YesNo(IsServerReachable(general))) +
           Line("last message sent:", lastSent.empty() ? "never" : Utf8(lastSent)) +
           Line("report enabled:", YesNo(IsReportEnabled(run))) +
           Line("report active:", YesNo(IsReportActive(run))) +
           Line("report instance:", std::to_string(GetReportInstance(run))) +
           Line("report progress:", std::to_string(GetReportPercentComplete(run)) + "%" +
                                        (currentTest.empty() ? "" : " (" + Text(currentTest) + ")")) +
           Line("report source:", SourceText(GetReportSource(run))) +
           Line("test enabled:", YesNo(IsTestEnabled(run))) + Line("test active:", YesNo(IsTestActive(run))) +
           Line("test cooling off:", YesNo(IsTestCoolingOff(run))) +
           Line("test instance:", std::to_string(GetTestInstance(run))) +
           Line("test source:", SourceText(GetTestSource(run))) +
           Line("test failure:", failure.empty() ? "none" : Text(failure)) +
           Line("test latency:", Measurement(m.latencyMs, "ms")) +
           Line("test receive max:", Measurement(m.rxMaxBits, "bit/s")) +
           Line("test send max:", Measurement(m.txMaxBits, "bit/s"));
}

int RunDiag(const Words& words, ClientLibrary&) {
    if (!words.empty() && words[0] == L"watch") return RunDiagWatch(Words(words.begin() + 1, words.end()));
    bool json;
    if (int usage = ParseJsonOnly(kDiagCommand, words, json)) return usage;
    const JsonValue general = QueryGeneralState();
    const JsonValue run = QueryReportTestState();
    if (general.is_null() && run.is_null())
        return Fail(kDiagCommand, kExitRefused,
                    DiagServiceListening() ? "the diagnostics service did not answer"
                                           : "the diagnostics service is not running");
    if (!json) return WriteOut(StatusLines(general, run)) ? kExitOk : Fail(kDiagCommand, kExitSystem, "cannot write");
    // Both replies as one object: the members of the general status and of
    // the report and test status, in ascending order of their names.
    JsonValue whole = JsonValue::object();
    for (const JsonValue* reply : {&general, &run})
        if (reply->is_object()) whole.update(*reply);
    return PrintLine(kDiagCommand, Text(StatusText(whole)));
}

bool ParseSettingId(const std::wstring& word, uint32_t& id) {
    if (const SettingDefinition* entry = FindSettingByName(reinterpret_cast<const char16_t*>(word.c_str()))) {
        id = entry->id;
        return true;
    }
    return ParseCount(word, id);
}

int RunSetting(const Words& words, ClientLibrary&) {
    Arguments arguments;
    std::string problem;
    if (!arguments.parse(words, {{L"--string", false}, {L"--json", false}}, problem))
        return UsageError(kSettingCommand, problem);
    uint32_t id;
    if (arguments.positionals().size() != 1 || !ParseSettingId(arguments.positionals()[0], id))
        return UsageError(kSettingCommand, "takes one setting: a name from the client's catalogue or an identifier");
    const SettingDefinition* entry = FindSetting(id);
    const std::string name = entry ? Text(entry->name) : "";
    const char* store = IsSettingsCookieAbsent(0) ? "binary" : "text";
    JsonObject object;
    object.addNumber("id", id).addString("store", store);
    if (entry) object.addString("name", name);
    else object.addNull("name");
    std::string shown;
    if (arguments.has(L"--string")) {
        // A size query: a stored text answers 0, or "too small" for its size.
        uint32_t units = 0;
        const ConfigStatus status = ReadSettingString(id, nullptr, &units, 0, 0);
        const std::wstring text = ReadSettingStringWhole(id);
        if (status != kConfigOk && status != kConfigBufferTooSmall)
            return Fail(kSettingCommand, kExitRefused, "the setting cannot be read from the " + std::string(store) + " store");
        object.addString("value", Utf8(text));
        shown = "\"" + Utf8(text) + "\"";
    } else {
        uint32_t value = 0;
        const ConfigStatus status = ReadSettingDword(id, &value, 0);
        if (status != kConfigOk) {
            return Fail(kSettingCommand, kExitRefused,
                        std::string("the setting cannot be read as a number from the ") + store + " store (" +
                            HexWord(status) + ")");
        }
        object.addNumber("value", value);
        shown = std::to_string(value);
    }
    if (arguments.has(L"--json")) return PrintLine(kSettingCommand, object.text());
    return PrintLine(kSettingCommand, (name.empty() ? std::to_string(id) : name) + " = " + shown + " (" + store + " store)");
}

}  // namespace

const Command kDiagCommand = {
    L"diag", "print the diagnostics service's status, or follow its notifications",
    "diag [--json] | diag watch [--count N]",
    "  Asks the client's diagnostics service for its general status and for the\n"
    "  status of its report and bandwidth test, and prints them as the library reads\n"
    "  them: a member missing from the answer shows its default. The last message\n"
    "  time is in your local time and long date format. Exit code 1 when the\n"
    "  service is not running or does not answer.\n"
    "  --json   both answers as one object, exactly as the service sent its members\n"
    "\n"
    "  diag watch subscribes to the service's notifications and prints each message\n"
    "  as one line of compact JSON, members in ascending order, until Ctrl+C (exit\n"
    "  code 0) or, with --count, until N messages were printed. While the service\n"
    "  is not running it says so once on standard error and keeps trying every\n"
    "  5 seconds; a dropped connection is made again at once.\n",
    RunDiag};

const Command kSettingCommand = {
    L"setting", "read one of the client's settings as the library reads it", "setting SETTING [--string] [--json]",
    "  SETTING is a name from the client's catalogue (A_DIAG_EnableClientReports) or\n"
    "  its identifier (24850). Reads it from the store in use (the text store when\n"
    "  the settings cookie is set, else the binary store) as a number, or with\n"
    "  --string as text. Exit code 1 when it cannot be read.\n"
    "  --json   {\"id\":24850,\"name\":\"A_DIAG_EnableClientReports\",\"store\":\"text\",\"value\":1}\n",
    RunSetting};

}  // namespace qlctl
