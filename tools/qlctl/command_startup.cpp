// startup: whether the client loads when the machine starts, shown or
// switched. Switching needs administrator rights.
#include "client_library.h"
#include "command.h"
#include "config/client_key_path.h"
#include "config/startup_services.h"
#include "configuration_rights.h"
#include "output.h"

namespace qlctl {

namespace {

std::string ChoiceName(uint32_t choice) {
    switch (choice) {
    case 1: return "on";
    case 0: return "off";
    case qlclapi::kStartupNotRecorded: return "not-recorded";
    default: return "other";
    }
}

int Show(const Words& words, ClientLibrary& library) {
    bool json;
    if (int usage = ParseJsonOnly(kStartupCommand, words, json)) return usage;
    auto getStartup = QLCTL_EXPORT(library, QuorlanGetLoadAtStartup);
    if (!getStartup) return kExitLibrary;
    QlUInt32 choice = 0;
    if (!getStartup(&choice)) return Fail(kStartupCommand, kExitLibrary, "the library refused to tell");
    if (json)
        return PrintLine(kStartupCommand,
                         JsonObject().addString("startup", ChoiceName(choice)).addNumber("value", choice).text());
    return PrintLine(kStartupCommand, ChoiceName(choice) + " (recorded choice " + std::to_string(choice) + ")");
}

// The first key start-up control writes that this user may not change.
const wchar_t* RefusedKey() {
    for (const auto& service : qlclapi::kStartupServices)
        if (LacksRightsToChange(service.keyPath)) return service.name;
    if (LacksRightsToChange(reinterpret_cast<const wchar_t*>(qlclapi::kClientParamsPath)))
        return L"the client's parameters";
    return nullptr;
}

int Switch(bool on, ClientLibrary& library) {
    auto setStartup = QLCTL_EXPORT(library, QuorlanSetLoadAtStartup);
    if (!setStartup) return kExitLibrary;
    auto getStartup = QLCTL_EXPORT(library, QuorlanGetLoadAtStartup);
    if (!getStartup) return kExitLibrary;
    QlUInt32 choice = 0;
    if (setStartup(on ? 1 : 0) && getStartup(&choice) && choice == (on ? 1u : 0u))
        return PrintLine(kStartupCommand, std::string("loading at start-up is switched ") + (on ? "on" : "off") +
                                              "; it takes effect when the machine next starts");
    if (const wchar_t* key = RefusedKey())
        return Fail(kStartupCommand, kExitRefused,
                    NeedsAdministrator("switching start-up") + " (refused: " + Utf8(key) + ")");
    return Fail(kStartupCommand, kExitRefused, "start-up could not be switched: the library could not write it");
}

int RunStartup(const Words& words, ClientLibrary& library) {
    if (words.size() == 1 && (words[0] == L"on" || words[0] == L"off")) return Switch(words[0] == L"on", library);
    return Show(words, library);
}

}  // namespace

const Command kStartupCommand = {
    L"startup", "show or switch whether the client loads when the machine starts",
    "startup [--json] | startup on|off",
    "  startup       prints the recorded choice: on (1), off (0), not-recorded (3),\n"
    "                or other (any number an administrator stored)\n"
    "  --json        {\"startup\":\"on\",\"value\":1}\n"
    "  on, off       switch the start types of the client's services and drivers\n"
    "                (VESSERV, QLUPDATE, QLCollector, QLDRV, QLFILTER, QLutilnt,\n"
    "                qlvadapter; off disables them all), the policy agent's\n"
    "                dependency on VESSERV, and the recorded choice. Nothing is\n"
    "                started or stopped now; it takes effect at the next start.\n"
    "  Switching needs administrator rights: exit code 1 with a message naming\n"
    "  the first key the registry refused. Needs no client driver.\n",
    RunStartup};

}  // namespace qlctl
