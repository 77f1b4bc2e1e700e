// version, state, reason: what the client reports, as text or JSON.
#include "client_library.h"
#include "client_values.h"
#include "command.h"
#include "status_texts.h"

namespace qlctl {

namespace {

int RunVersion(const Words& words, ClientLibrary& library) {
    bool json;
    if (int usage = ParseJsonOnly(kVersionCommand, words, json)) return usage;
    auto getVersion = QLCTL_EXPORT(library, QuorlanGetVersion);
    if (!getVersion) return kExitLibrary;
    uint32_t word = getVersion();
    bool own = IsOwnGeneration(word);
    if (json)
        return PrintLine(kVersionCommand, JsonObject()
                                              .addString("hex", HexWord(word))
                                              .addBool("own_generation", own)
                                              .addString("version", VersionText(word))
                                              .addNumber("word", word)
                                              .text());
    return PrintLine(kVersionCommand, VersionText(word) + " (" + HexWord(word) + "), " +
                                          (own ? "this library's generation " + OwnGenerationText()
                                               : "not this library's generation " + OwnGenerationText()));
}

int RunState(const Words& words, ClientLibrary& library) {
    bool json;
    if (int usage = ParseJsonOnly(kStateCommand, words, json)) return usage;
    auto getState = QLCTL_EXPORT(library, QuorlanGetConnectionState);
    if (!getState) return kExitLibrary;
    int32_t state = getState();
    if (json)
        return PrintLine(kStateCommand,
                         JsonObject().addString("name", StateName(state)).addNumber("state", state).text());
    return PrintLine(kStateCommand, std::to_string(state) + " " + StateName(state));
}

int RunReason(const Words& words, ClientLibrary& library) {
    bool json;
    if (int usage = ParseJsonOnly(kReasonCommand, words, json)) return usage;
    auto getReason = QLCTL_EXPORT(library, QuorlanGetDisconnectReason);
    if (!getReason) return kExitLibrary;
    QlUInt32 reason = 0;
    if (!getReason(&reason)) return NotAvailable(kReasonCommand);
    std::string text = ReasonText(library, reason);
    if (json) {
        JsonObject object;
        object.addNumber("reason", reason);
        if (!text.empty()) object.addString("text", text);
        return PrintLine(kReasonCommand, object.text());
    }
    return PrintLine(kReasonCommand, text.empty() ? std::to_string(reason) : std::to_string(reason) + " " + text);
}

}  // namespace

const Command kVersionCommand = {
    L"version", "print the client driver's version word", "version [--json]",
    "  Prints major.minor.build, the word in hexadecimal, and whether its major.minor\n"
    "  is the interface generation this library speaks (12.12).\n"
    "  Without a client driver the library reports its own version, 12.12.16943;\n"
    "  0.0.0 means the driver would not tell.\n"
    "  --json   {\"hex\":\"0x0C0C422F\",\"own_generation\":true,\"version\":\"12.12.16943\",\"word\":202129967}\n",
    RunVersion};

const Command kStateCommand = {
    L"state", "print the connection state", "state [--json]",
    "  Prints the state number and its name: 1 idle, 2 connecting, 3 connected,\n"
    "  4 server-unreachable, 5 disconnected, 6 client-not-loaded (also without a\n"
    "  client driver), any other number disabled. Exit code 0 for every state.\n"
    "  --json   {\"name\":\"connected\",\"state\":3}\n",
    RunState};

const Command kReasonCommand = {
    L"reason", "print the last disconnect reason code and its text", "reason [--json]",
    "  Prints the code of the last disconnect reason (0: none) and its text in the\n"
    "  language of the status text; a code without a text prints alone. Exit code 1\n"
    "  without a client driver.\n"
    "  --json   {\"reason\":51,\"text\":\"User disconnected.\"} (no text member without a text)\n",
    RunReason};

}  // namespace qlctl
