// config: the client's configuration in the registry and its services with
// the service control manager, laid down as an installation lays them down
// and taken away again, value by value or all at once.
#include <cstdio>

#include "arguments.h"
#include "commands.h"
#include "quoted.h"
#include "sim_config.h"

namespace qlsim {

namespace {

const char kUsage[] =
    "usage: qlsim config install | remove | show\n"
    "       qlsim config services install | remove\n"
    "       qlsim config pid HEX | --size N | --remove\n"
    "       qlsim config current NAME | --remove\n"
    "       qlsim config server TEXT | --remove\n"
    "       qlsim config cache --size N | --remove\n"
    "       qlsim config enabled N | --remove\n"
    "  install lays down a fresh installation: below HKLM\\SYSTEM\\CurrentControlSet\\\n"
    "  Services\\QLDRV\\Params the keys \"Vorantis Client\" (VmsAddress \"\", an empty\n"
    "  VmsCache, Enabled 1) and \"Vorantis Client State\" (CurrentSubkey \"Default\"\n"
    "  and its subkey, a 32-byte PID); and the client's services VESSERV, QLUPDATE,\n"
    "  QLCollector (automatic), QLFILTER (system), QLutilnt (automatic), qlvadapter\n"
    "  (on demand), with a stand-in PolicyAgent (on demand, no dependencies).\n"
    "  None of the services can run: their images do not exist.\n"
    "  remove takes all of it away (the keys, the services, and the service state\n"
    "  key Services\\Quorlan) and gives QLDRV back its demand start, so that the\n"
    "  simulated driver starts again after start-up was switched off.\n"
    "  show prints what is there. services does the services alone.\n"
    "  pid: PID of the state key from hex bytes (\"0A1B2C\" or \"0A-1B-2C\") or N\n"
    "       made-up bytes; more than 65536 bytes are written in pieces PID, PID__0,\n"
    "       PID__1, ... and the name after the last piece is deleted\n"
    "  current: CurrentSubkey, and the subkey it names is created\n"
    "  server: VmsAddress, any text; cache: VmsCache of N made-up bytes, in pieces\n"
    "  enabled: the recorded start-up choice, a number\n"
    "  --remove deletes the value (for pid and cache also every piece)\n";

int Done(const char* what, DWORD error) {
    if (error) return Failed(what, error);
    return kExitOk;
}

bool ParseSize(const Words& words, size_t& bytes) {
    uint32_t value = 0;
    if (words.size() != 2 || words[0] != L"--size" || !ParseNumber(words[1], value) || value > 64u << 20)
        return false;
    bytes = value;
    return true;
}

bool IsRemove(const Words& words) { return words.size() == 1 && words[0] == L"--remove"; }

int Pid(const Words& words) {
    if (IsRemove(words)) return Done("remove PID", RemoveValue(kClientStateKey, L"PID"));
    std::vector<uint8_t> bytes;
    size_t size = 0;
    if (ParseSize(words, size))
        bytes = PatternBytes(size);
    else if (words.size() != 1 || !(ParseHex(words[0], bytes) || ParseHex(words[0], bytes, L'-')))
        return Refused("config pid", "give hex bytes, --size N (at most 64 MiB) or --remove");
    return Done("write PID", WriteChunked(kClientStateKey, L"PID", bytes));
}

int Current(const Words& words) {
    if (IsRemove(words)) return Done("remove CurrentSubkey", RemoveValue(kClientStateKey, L"CurrentSubkey"));
    if (words.size() != 1 || words[0].empty() || words[0].size() > 255)
        return Refused("config current", "give a subkey name of 1 to 255 characters, or --remove");
    return Done("set CurrentSubkey", SetCurrentSubkey(words[0]));
}

int Server(const Words& words) {
    if (IsRemove(words)) return Done("remove VmsAddress", RemoveValue(kClientParamsKey, L"VmsAddress"));
    if (words.size() != 1) return Refused("config server", "give one text (\"\" for the empty one), or --remove");
    return Done("write VmsAddress", WriteText(kClientParamsKey, L"VmsAddress", words[0]));
}

int Cache(const Words& words) {
    if (IsRemove(words)) return Done("remove VmsCache", RemoveValue(kClientParamsKey, L"VmsCache"));
    size_t size = 0;
    if (!ParseSize(words, size)) return Refused("config cache", "give --size N (at most 64 MiB) or --remove");
    return Done("write VmsCache", WriteChunked(kClientParamsKey, L"VmsCache", PatternBytes(size)));
}

int Enabled(const Words& words) {
    if (IsRemove(words)) return Done("remove Enabled", RemoveValue(kClientParamsKey, L"Enabled"));
    uint32_t value = 0;
    if (words.size() != 1 || !ParseNumber(words[0], value))
        return Refused("config enabled", "give a number or --remove");
    return Done("write Enabled", WriteNumber(kClientParamsKey, L"Enabled", value));
}

int Services(const Words& words) {
    if (words.size() == 1 && words[0] == L"install") return Done("register the client's services", InstallClientServices());
    if (words.size() == 1 && words[0] == L"remove") return Done("delete the client's services", RemoveClientServices());
    return Refused("config services", "give install or remove");
}

void ShowChunked(const char* label, const wchar_t* key, const wchar_t* name) {
    std::vector<uint8_t> bytes;
    size_t pieces = 0;
    if (!ReadChunked(key, name, bytes, &pieces)) {
        printf("%-17s none\n", label);
        return;
    }
    if (bytes.empty()) {
        printf("%-17s empty\n", label);
        return;
    }
    printf("%-17s %zu bytes in %zu piece%s", label, bytes.size(), pieces, pieces == 1 ? "" : "s");
    if (!bytes.empty() && bytes.size() <= 64) printf(": %s", HexBytes(bytes).c_str());
    printf("\n");
}

int Show() {
    std::wstring text;
    DWORD number = 0;
    printf("%-17s %s\n", "CurrentSubkey",
           ReadText(kClientStateKey, L"CurrentSubkey", text) ? Quoted(text).c_str() : "none");
    ShowChunked("PID", kClientStateKey, L"PID");
    printf("%-17s %s\n", "VmsAddress", ReadText(kClientParamsKey, L"VmsAddress", text) ? Quoted(text).c_str() : "none");
    ShowChunked("VmsCache", kClientParamsKey, L"VmsCache");
    if (ReadNumber(kClientParamsKey, L"Enabled", number))
        printf("%-17s %lu\n", "Enabled", number);
    else
        printf("%-17s none\n", "Enabled");
    std::vector<const wchar_t*> services = {L"QLDRV"};
    for (const auto& service : kClientServices) services.push_back(service.name);
    for (const wchar_t* service : services) {
        std::wstring key = std::wstring(kServicesKey) + L"\\" + service;
        if (ReadNumber(key.c_str(), L"Start", number))
            printf("Start %-11ls %lu\n", service, number);
        else
            printf("Start %-11ls none\n", service);
    }
    std::vector<std::wstring> dependencies;
    printf("%-17s", "PolicyAgent");
    if (!ReadDependencies(kPolicyAgentStandIn.name, dependencies)) printf(" no dependency list");
    for (const auto& name : dependencies) printf(" %s", Quoted(name).c_str());
    printf("\n");
    return kExitOk;
}

}  // namespace

int CommandConfig(const Words& words) {
    if (WantsHelp(words) || words.empty()) return HelpOrUsage(words, kUsage);
    const Words rest(words.begin() + 1, words.end());
    const std::wstring& what = words[0];
    if (what == L"install" && rest.empty()) {
        if (DWORD error = InstallClientKeys()) return Failed("lay down the client's keys", error);
        return Done("register the client's services", InstallClientServices());
    }
    if (what == L"remove" && rest.empty()) {
        DWORD servicesError = RemoveClientServices();
        if (DWORD error = RemoveClientKeys()) return Failed("take away the client's keys", error);
        return Done("delete the client's services", servicesError);
    }
    if (what == L"show" && rest.empty()) return Show();
    if (what == L"services") return Services(rest);
    if (what == L"pid") return Pid(rest);
    if (what == L"current") return Current(rest);
    if (what == L"server") return Server(rest);
    if (what == L"cache") return Cache(rest);
    if (what == L"enabled") return Enabled(rest);
    return Usage(kUsage);
}

}  // namespace qlsim
