// enable, logoff, bypass, route-check, condition: requests that carry no
// answer beyond whether the library handed them on.
#include <type_traits>

#include "client_library.h"
#include "client_values.h"
#include "command.h"

namespace qlctl {

namespace {

// One runner serves the four commands: their exports share a signature.
using ControlCall = PFN_QuorlanEnable;
static_assert(std::is_same<ControlCall, PFN_QuorlanLogoff>::value, "control exports differ");
static_assert(std::is_same<ControlCall, PFN_QuorlanBypass>::value, "control exports differ");
static_assert(std::is_same<ControlCall, PFN_QuorlanTriggerQLSRouteCheck>::value, "control exports differ");

int RunControl(const Command& command, const Words& words, ClientLibrary& library, const char* exportName,
               const char* done) {
    Arguments arguments;
    std::string problem;
    if (!arguments.parse(words, {}, problem)) return UsageError(command, problem);
    if (!arguments.positionals().empty()) return UsageError(command, "takes no arguments");
    ControlCall call = library.find<ControlCall>(exportName);
    if (!call) return kExitLibrary;
    if (!call()) return NotAvailable(command);
    return PrintLine(command, done);
}

int RunEnable(const Words& words, ClientLibrary& library) {
    return RunControl(kEnableCommand, words, library, "QuorlanEnable", "the client was asked to enable");
}

int RunLogoff(const Words& words, ClientLibrary& library) {
    return RunControl(kLogoffCommand, words, library, "QuorlanLogoff", "the client was asked to log off");
}

int RunBypass(const Words& words, ClientLibrary& library) {
    return RunControl(kBypassCommand, words, library, "QuorlanBypass", "the client was asked to bypass");
}

int RunRouteCheck(const Words& words, ClientLibrary& library) {
    return RunControl(kRouteCheckCommand, words, library, "QuorlanTriggerQLSRouteCheck",
                      "the client was asked to check its route");
}

int RunCondition(const Words& words, ClientLibrary& library) {
    Arguments arguments;
    std::string problem;
    if (!arguments.parse(words, {}, problem)) return UsageError(kConditionCommand, problem);
    const Words& texts = arguments.positionals();
    if (texts.empty() || texts.size() > 2) return UsageError(kConditionCommand, "takes one or two texts");
    for (const auto& text : texts)
        if (text.size() > kMaxTextUnits)
            return UsageError(kConditionCommand, "a text is longer than " + std::to_string(kMaxTextUnits) +
                                                     " characters, which the client would cut");
    auto setCondition = QLCTL_EXPORT(library, QuorlanSetExternalCondition);
    if (!setCondition) return kExitLibrary;
    if (!setCondition(texts[0].c_str(), texts.size() == 2 ? texts[1].c_str() : nullptr))
        return Fail(kConditionCommand, kExitRefused, "the library refused the condition");
    return PrintLine(kConditionCommand, "the condition was handed to the library");
}

const char kNoDriverExit[] = "  Exit code 1 when the library could not hand the request on (no client driver).\n";

}  // namespace

const Command kEnableCommand = {L"enable", "ask the client to enable", "enable", kNoDriverExit, RunEnable};
const Command kLogoffCommand = {L"logoff", "ask the client to log off (disconnect reason 51)", "logoff",
                                kNoDriverExit, RunLogoff};
const Command kBypassCommand = {L"bypass", "ask the client to let traffic bypass it", "bypass", kNoDriverExit,
                                RunBypass};
const Command kRouteCheckCommand = {L"route-check", "ask the client to check its route", "route-check",
                                    kNoDriverExit, RunRouteCheck};

const Command kConditionCommand = {
    L"condition", "pass an external condition to the client", "condition FIRST [SECOND]",
    "  Hands the two texts to the client in this order; a missing SECOND is sent\n"
    "  empty. Each text may have at most 255 characters. Put -- before a text\n"
    "  that starts with '-'. The library accepts a condition even when the client\n"
    "  driver is not running, so exit code 0 does not mean the client saw it.\n",
    RunCondition};

}  // namespace qlctl
