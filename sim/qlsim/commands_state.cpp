// show, set, reset, rule: the simulated client's state and request rules.
#include <cstdio>
#include <cstring>

#include "arguments.h"
#include "commands.h"
#include "sim_control.h"

namespace qlsim {

namespace {

struct Field {
    const wchar_t* name;
    const char* help;
    uint32_t QlSimState::*member;
};

// connectionState is signed; the driver stores its bits unchanged.
const Field kFields[] = {
    {L"version", "driver version word, 0x0C0C422F or 12.12.16943", &QlSimState::version},
    {L"state", "connection state: 1 idle, 2 connecting, 3 connected, 4 unreachable, 5 disconnected, 6 not loaded",
     nullptr},
    {L"disconnected", "non-zero: disconnected", &QlSimState::disconnected},
    {L"reason", "last disconnect reason code", &QlSimState::disconnectReason},
    {L"phase", "connecting phase", &QlSimState::connectingPhase},
    {L"traffic", "non-zero: network traffic bypasses the client", &QlSimState::trafficBypassed},
    {L"enabled", "set by the enable request", &QlSimState::enabled},
    {L"bypassed", "set by the bypass request", &QlSimState::bypassed},
    {L"action", "last action word received", &QlSimState::lastAction},
    {L"route-checks", "number of route checks received", &QlSimState::routeChecks},
    {L"server-list-changes", "number of server list notifications received", &QlSimState::serverListChanges},
};

const Field* FindField(const std::wstring& name) {
    for (const Field& f : kFields)
        if (name == f.name) return &f;
    return nullptr;
}

void PrintState(const QlSimState& s, bool json) {
    if (json) {
        printf("{\"action\":%u,\"bypassed\":%u,\"disconnected\":%u,\"enabled\":%u,\"phase\":%u,\"reason\":%u,"
               "\"route-checks\":%u,\"server-list-changes\":%u,\"state\":%d,\"traffic\":%u,\"version\":%u}\n",
               s.lastAction, s.bypassed, s.disconnected, s.enabled, s.connectingPhase, s.disconnectReason,
               s.routeChecks, s.serverListChanges, s.connectionState, s.trafficBypassed, s.version);
        return;
    }
    printf("version              %s (%s)\n", Hex32(s.version).c_str(), VersionText(s.version).c_str());
    printf("state                %d\n", s.connectionState);
    printf("disconnected         %u\n", s.disconnected);
    printf("reason               %u\n", s.disconnectReason);
    printf("phase                %u\n", s.connectingPhase);
    printf("traffic              %u\n", s.trafficBypassed);
    printf("enabled              %u\n", s.enabled);
    printf("bypassed             %u\n", s.bypassed);
    printf("action               %u\n", s.lastAction);
    printf("route-checks         %u\n", s.routeChecks);
    printf("server-list-changes  %u\n", s.serverListChanges);
}

int SetUsage(const Words& words) {
    std::string text = "usage: qlsim set FIELD VALUE [FIELD VALUE ...]\n  fields:\n";
    for (const Field& f : kFields) {
        char line[256];
        snprintf(line, sizeof line, "    %-20ls %s\n", f.name, f.help);
        text += line;
    }
    text += "  a change of state or disconnected completes the pending notifications\n";
    return HelpOrUsage(words, text.c_str());
}

}  // namespace

int CommandShow(const Words& words) {
    bool json = words.size() == 1 && words[0] == L"--json";
    if (WantsHelp(words) || (!words.empty() && !json))
        return HelpOrUsage(words, "usage: qlsim show [--json]\n  prints the simulated client's state\n");
    SimControl control;
    int exitCode;
    if (!OpenControl(control, exitCode)) return exitCode;
    QlSimState state;
    if (!control.getState(state)) return Failed("read the state", control.lastError());
    PrintState(state, json);
    return kExitOk;
}

int CommandSet(const Words& words) {
    if (WantsHelp(words) || words.empty() || words.size() % 2) return SetUsage(words);
    SimControl control;
    int exitCode;
    if (!OpenControl(control, exitCode)) return exitCode;
    QlSimState state;
    if (!control.getState(state)) return Failed("read the state", control.lastError());
    for (size_t i = 0; i < words.size(); i += 2) {
        const Field* field = FindField(words[i]);
        if (!field) {
            fprintf(stderr, "qlsim set: unknown field '%ls'\n", words[i].c_str());
            return SetUsage(words);
        }
        bool ok;
        if (!field->member) {
            ok = ParseSigned(words[i + 1], state.connectionState);
        } else if (field->member == &QlSimState::version) {
            ok = ParseVersion(words[i + 1], state.version);
        } else {
            ok = ParseNumber(words[i + 1], state.*field->member);
        }
        if (!ok) {
            fprintf(stderr, "qlsim set: '%ls' is not a valid value for %ls\n", words[i + 1].c_str(), field->name);
            return kExitUsage;
        }
    }
    if (!control.setState(state)) return Failed("write the state", control.lastError());
    return kExitOk;
}

int CommandReset(const Words& words) {
    if (WantsHelp(words) || !words.empty())
        return HelpOrUsage(words, "usage: qlsim reset\n  restores the default state; clears rules, records and the journal\n");
    SimControl control;
    int exitCode;
    if (!OpenControl(control, exitCode)) return exitCode;
    if (!control.reset()) return Failed("reset", control.lastError());
    return kExitOk;
}

int CommandRule(const Words& words) {
    const char* usage =
        "usage: qlsim rule CODE normal | refuse | short BYTES | fill\n"
        "  refuse: the driver fails request CODE; short: it answers with only BYTES bytes;\n"
        "  fill: it claims to have filled the whole output buffer;\n"
        "  normal: removes the rule. CODE is a request code such as 0x22244F\n";
    if (WantsHelp(words) || words.size() < 2) return HelpOrUsage(words, usage);
    uint32_t code, bytes = 0, mode;
    if (!ParseNumber(words[0], code)) return Usage(usage);
    if (words[1] == L"normal" && words.size() == 2) {
        mode = QLSIM_RULE_NORMAL;
    } else if (words[1] == L"refuse" && words.size() == 2) {
        mode = QLSIM_RULE_REFUSE;
    } else if (words[1] == L"fill" && words.size() == 2) {
        mode = QLSIM_RULE_FILL;
    } else if (words[1] == L"short" && words.size() == 3 && ParseNumber(words[2], bytes)) {
        mode = QLSIM_RULE_SHORT;
    } else {
        return Usage(usage);
    }
    SimControl control;
    int exitCode;
    if (!OpenControl(control, exitCode)) return exitCode;
    if (!control.setRule(code, mode, bytes)) return Failed("set the rule", control.lastError());
    return kExitOk;
}

}  // namespace qlsim
