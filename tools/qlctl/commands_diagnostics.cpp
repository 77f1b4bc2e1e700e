// report, bandwidth, tag: requests to the client's diagnostics service.
#include "client_library.h"
#include "command.h"
#include "config/settings_catalogue.h"
#include "diag_reasons.h"

namespace qlctl {

namespace {

int RunStart(const Command& command, const Words& words, ClientLibrary& library, bool report) {
    Arguments arguments;
    std::string problem;
    if (!arguments.parse(words, {}, problem)) return UsageError(command, problem);
    if (arguments.positionals().size() > 1) return UsageError(command, "takes at most one memo");
    const wchar_t* memo = arguments.positionals().empty() ? nullptr : arguments.positionals()[0].c_str();
    QlUInt32 started;
    if (report) {
        auto start = QLCTL_EXPORT(library, QuorlanStartReport);
        if (!start) return kExitLibrary;
        started = start(memo);
    } else {
        auto start = QLCTL_EXPORT(library, QuorlanStartBandwidthTest);
        if (!start) return kExitLibrary;
        started = start(memo);
    }
    if (started) return PrintLine(command, report ? "the diagnostics service started a report"
                                                  : "the diagnostics service started a bandwidth test");
    const std::string why =
        report ? WhyNotStarted(qlclapi::setting::kEnableClientReports, "A_DIAG_EnableClientReports",
                               " (is a report running already?)")
               : WhyNotStarted(qlclapi::setting::kEnableBandwidthTest, "A_DIAG_EnableBandwidthTest",
                               " (is a test running already, or cooling off?)");
    return Fail(command, kExitRefused, std::string(report ? "no report was started: " : "no test was started: ") + why);
}

int RunReport(const Words& words, ClientLibrary& library) { return RunStart(kReportCommand, words, library, true); }
int RunBandwidth(const Words& words, ClientLibrary& library) {
    return RunStart(kBandwidthCommand, words, library, false);
}

int RunTag(const Words& words, ClientLibrary& library) {
    Arguments arguments;
    std::string problem;
    if (!arguments.parse(words, {}, problem)) return UsageError(kTagCommand, problem);
    const Words& texts = arguments.positionals();
    if (texts.empty() || texts.size() > 2) return UsageError(kTagCommand, "takes a key and an optional value");
    auto setTag = QLCTL_EXPORT(library, QuorlanSetCustomTag);
    if (!setTag) return kExitLibrary;
    if (setTag(texts[0].c_str(), texts.size() == 2 ? texts[1].c_str() : nullptr))
        return PrintLine(kTagCommand, "the diagnostics service recorded the tag");
    return Fail(kTagCommand, kExitRefused, "the tag was not recorded: " + WhyNotStarted(0, "", ""));
}

}  // namespace

const Command kReportCommand = {
    L"report", "start a diagnostic report", "report [MEMO]",
    "  Asks the client's diagnostics service to start a diagnostic report, with\n"
    "  MEMO (may be left out) as a request from an application (source \"API\").\n"
    "  Allowed only when the client's setting A_DIAG_EnableClientReports is on;\n"
    "  otherwise nothing is sent. Exit code 1 when no report was started, with the\n"
    "  reason the tool can tell: the setting is off, the service is not running,\n"
    "  or the service refused (a report may be running already).\n",
    RunReport};

const Command kBandwidthCommand = {
    L"bandwidth", "start a bandwidth test", "bandwidth [MEMO]",
    "  As report, for a bandwidth test; gated by A_DIAG_EnableBandwidthTest. The\n"
    "  service refuses while a test runs and while it cools off after one.\n",
    RunBandwidth};

const Command kTagCommand = {
    L"tag", "record a custom event (a key and an optional value)", "tag KEY [VALUE]",
    "  Asks the client's diagnostics service to record a custom event: KEY, and\n"
    "  VALUE when given (an empty VALUE \"\" is sent as an empty value). Put -- before\n"
    "  a text that starts with '-'. Exit code 1 when the service is not running or\n"
    "  refused.\n",
    RunTag};

}  // namespace qlctl
