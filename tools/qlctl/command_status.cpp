// status: the status text, as the library composes it for its users.
#include "client_library.h"
#include "client_values.h"
#include "command.h"
#include "core/request_codes.h"
#include "driver_words.h"
#include "output.h"
#include "status_texts.h"

namespace qlctl {

namespace {

int RunStatus(const Words& words, ClientLibrary& library) {
    bool json;
    if (int usage = ParseJsonOnly(kStatusCommand, words, json)) return usage;
    std::string text;
    if (!ConnectionStatusText(library, text)) return kExitLibrary;
    if (!json) return PrintLine(kStatusCommand, WithNewlines(text));

    auto getState = QLCTL_EXPORT(library, QuorlanGetConnectionState);
    auto getReason = QLCTL_EXPORT(library, QuorlanGetDisconnectReason);
    if (!getState || !getReason) return kExitLibrary;
    JsonObject object;
    object.addString("text", text);
    const int32_t state = getState();
    object.addNumber("state", state).addString("name", StateName(state));
    QlUInt32 reason = 0;
    if (getReason(&reason))
        object.addNumber("reason", reason);
    else
        object.addNull("reason");
    uint32_t phase = 0, traffic = 0;
    if (ReadDriverWord(qlclapi::RequestCode::ConnectingPhase, phase))
        object.addNumber("phase", phase);
    else
        object.addNull("phase");
    if (ReadDriverWord(qlclapi::RequestCode::TrafficBypassed, traffic))
        object.addBool("traffic_bypassed", traffic != 0);
    else
        object.addNull("traffic_bypassed");
    return PrintLine(kStatusCommand, object.text());
}

}  // namespace

const Command kStatusCommand = {
    L"status", "print the status text the library gives users", "status [--json]",
    "  Prints the client's condition in the library's words, in the language the\n"
    "  library chooses (a language module, or English), one line per line of the\n"
    "  text. Without a client driver: \"Vorantis client is not loaded.\" (exit code 0).\n"
    "  --json   the text as the library gives it (its lines end in CR LF, which JSON\n"
    "           writes \\u000d\\u000a) and, read right after it, the numbers it was\n"
    "           composed from; phase and traffic_bypassed come from the driver\n"
    "           directly, null without one:\n"
    "           {\"name\":\"idle\",\"phase\":0,\"reason\":0,\"state\":1,\"text\":\"Vorantis is idle.\",\n"
    "            \"traffic_bypassed\":false}\n",
    RunStatus};

}  // namespace qlctl
