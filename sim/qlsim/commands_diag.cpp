// diag: the simulated diagnostics service: its registration and start,
// the request messages it received, the tags it recorded, its state, and
// how it answers.
#include <cstdio>
#include <string>

#include "arguments.h"
#include "commands.h"
#include "diag_sim_control.h"
#include "hex_text.h"
#include "quoted.h"

namespace qlsim {

namespace {

const char kUsage[] =
    "usage: qlsim diag COMMAND [ARGS]\n"
    "  install | start | stop | status | remove\n"
    "                     the service QLDIAG (qldiagsvc.exe beside qlsim.exe) in the service\n"
    "                     control manager; status exits 0 only when it runs\n"
    "  log [--hex] [--clear]\n"
    "                     every request message received on the client's pipe, oldest first,\n"
    "                     one a line: the bytes as they came, with \\xHH for bytes outside\n"
    "                     printable ASCII and for '\\' (--hex: hexadecimal pairs)\n"
    "  tags [--clear]     the custom tags recorded, as JSON lines\n"
    "  show               the service's state, behaviour and timing, as JSON\n"
    "  reset              normal answers, no delay, empty log and tags, default state\n"
    "  behave normal | busy [MS] | refuse | cut BYTES | size BYTES | raw TEXT | raw-hex HEX\n"
    "                     busy: every instance held (for MS milliseconds, or until changed);\n"
    "                     refuse: connections closed at once; cut: each reply cut after BYTES\n"
    "                     and the connection closed; size: every reply a success of exactly\n"
    "                     BYTES bytes (29 or more); raw: every reply exactly TEXT (UTF-8)\n"
    "  delay MS           wait MS milliseconds before every reply\n"
    "  set MEMBER JSON | unset MEMBER | drop MEMBER\n"
    "                     answer a status member with the JSON value, as simulated, or not at all\n"
    "  timing [report MS] [test MS] [cooloff MS]\n"
    "                     how long a report and a bandwidth test run, and the cool-off after a test\n"
    "  notify JSON | --hex HEX | --size BYTES\n"
    "                     one message to every subscription (--size: a JSON object of BYTES bytes)\n"
    "  subscribers | drop-subscribers | connections\n"
    "                     count the subscriptions, close them all, or count the connections\n"
    "                     accepted since the last reset\n";

std::string Utf8(const std::wstring& text) {
    if (text.empty()) return std::string();
    int bytes = WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(size_t(bytes > 0 ? bytes : 0), '\0');
    if (bytes > 0) WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), &out[0], bytes, nullptr, nullptr);
    return out;
}

std::string Printable(const std::string& bytes) {
    std::string out;
    for (unsigned char c : bytes) {
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            out += char(c);
        } else {
            char escaped[5];
            snprintf(escaped, sizeof escaped, "\\x%02X", c);
            out += escaped;
        }
    }
    return out;
}

int ControlFailed(const char* what, const DiagSimControl& control) {
    if (!control.lastReply().empty()) {
        fprintf(stderr, "qlsim diag: cannot %s: the service answered %s\n", what, control.lastReply().c_str());
        return kExitFailed;
    }
    return Failed((std::string(what) + " (is the diagnostics service running? try 'qlsim diag start')").c_str(),
                  control.lastError());
}

int Service(const std::wstring& verb) {
    if (verb == L"status") {
        DWORD state = DiagServiceState();
        printf("%s\n", ServiceStateName(state));
        return state == SERVICE_RUNNING ? kExitOk : kExitFailed;
    }
    DWORD error = verb == L"install" ? InstallDiagService()
                  : verb == L"start" ? StartDiagService()
                  : verb == L"stop"  ? StopDiagService()
                                     : RemoveDiagService();
    if (error) return Failed(("do 'diag " + Utf8(verb) + "'").c_str(), error);
    printf("%s\n", verb == L"install" ? "installed" : verb == L"start" ? "running" : verb == L"stop" ? "stopped" : "removed");
    return kExitOk;
}

int Log(const Words& words) {
    bool hex = false, clear = false;
    for (size_t i = 1; i < words.size(); ++i) {
        if (words[i] == L"--hex") hex = true;
        else if (words[i] == L"--clear") clear = true;
        else return Usage(kUsage);
    }
    DiagSimControl control;
    std::vector<std::string> messages;
    if (!control.log(messages, clear)) return ControlFailed("read the request log", control);
    for (const auto& m : messages) printf("%s\n", hex ? ToHex(m).c_str() : Printable(m).c_str());
    return kExitOk;
}

int Tags(const Words& words) {
    if (words.size() > 2 || (words.size() == 2 && words[1] != L"--clear")) return Usage(kUsage);
    DiagSimControl control;
    std::vector<DiagTag> tags;
    if (!control.tags(tags, words.size() == 2)) return ControlFailed("read the tags", control);
    for (const auto& tag : tags) {
        printf("{\"key\":\"%s\"%s%s%s}\n", Printable(tag.key).c_str(), tag.hasValue ? ",\"value\":\"" : "",
               tag.hasValue ? Printable(tag.value).c_str() : "", tag.hasValue ? "\"" : "");
    }
    return kExitOk;
}

bool Number(const Words& words, size_t index, uint64_t& value) {
    return index < words.size() && ParseNumber64(words[index], value);
}

int Behave(const Words& words) {
    DiagSimControl control;
    const std::wstring mode = words.size() > 1 ? words[1] : L"";
    uint64_t number = 0;
    bool ok;
    if ((mode == L"normal" || mode == L"refuse") && words.size() == 2) {
        ok = control.behave(Utf8(mode));
    } else if (mode == L"busy" && words.size() <= 3) {
        if (words.size() == 3 && !Number(words, 2, number)) return Refused("diag", "busy takes milliseconds");
        ok = control.behave("busy", 0, number);
    } else if ((mode == L"cut" || mode == L"size") && words.size() == 3) {
        if (!Number(words, 2, number) || (mode == L"size" && number < 29))
            return Refused("diag", mode == L"size" ? "size takes a byte count of 29 or more" : "cut takes a byte count");
        ok = control.behave(Utf8(mode), number);
    } else if (mode == L"raw" && words.size() == 3) {
        ok = control.behave("raw", 0, 0, Utf8(words[2]));
    } else if (mode == L"raw-hex" && words.size() == 3) {
        std::string bytes;
        if (!FromHex(Utf8(words[2]), bytes)) return Refused("diag", "raw-hex takes pairs of hexadecimal digits");
        ok = control.behave("raw", 0, 0, bytes);
    } else {
        return Usage(kUsage);
    }
    if (!ok) return ControlFailed("change how the service answers", control);
    printf("ok\n");
    return kExitOk;
}

int Timing(const Words& words) {
    int64_t report = -1, test = -1, cooloff = -1;
    if (words.size() < 3 || words.size() % 2 == 0) return Usage(kUsage);
    for (size_t i = 1; i + 1 < words.size(); i += 2) {
        uint64_t ms;
        if (!ParseNumber64(words[i + 1], ms) || ms > 86400000) return Refused("diag", "timing takes milliseconds");
        if (words[i] == L"report") report = int64_t(ms);
        else if (words[i] == L"test") test = int64_t(ms);
        else if (words[i] == L"cooloff") cooloff = int64_t(ms);
        else return Usage(kUsage);
    }
    DiagSimControl control;
    if (!control.timing(report, test, cooloff)) return ControlFailed("change the timing", control);
    printf("ok\n");
    return kExitOk;
}

int Notify(const Words& words) {
    DiagSimControl control;
    int sent = 0;
    bool ok;
    uint64_t size;
    if (words.size() == 2) {
        ok = control.notify(Utf8(words[1]), &sent);
    } else if (words.size() == 3 && words[1] == L"--hex") {
        std::string bytes;
        if (!FromHex(Utf8(words[2]), bytes)) return Refused("diag", "--hex takes pairs of hexadecimal digits");
        ok = control.notify(bytes, &sent);
    } else if (words.size() == 3 && words[1] == L"--size" && ParseNumber64(words[2], size) && size >= 10 &&
               size <= (16u << 20)) {
        ok = control.notifySized(size, &sent);
    } else {
        return Usage(kUsage);
    }
    if (!ok) return ControlFailed("notify the subscribers", control);
    printf("%d\n", sent);
    return kExitOk;
}

int Member(const Words& words) {
    DiagSimControl control;
    const std::string member = words.size() > 1 ? Utf8(words[1]) : "";
    bool ok;
    if (words[0] == L"set" && words.size() == 3) ok = control.set(member, Utf8(words[2]));
    else if (words[0] == L"unset" && words.size() == 2) ok = control.unset(member);
    else if (words[0] == L"drop" && words.size() == 2) ok = control.drop(member);
    else return Usage(kUsage);
    if (!ok) return ControlFailed("change the member", control);
    printf("ok\n");
    return kExitOk;
}

int Counts(const std::wstring& verb) {
    DiagSimControl control;
    int count = 0;
    uint64_t connections = 0;
    bool ok = verb == L"subscribers" ? control.subscribers(count)
              : verb == L"drop-subscribers" ? control.dropSubscribers(&count)
                                            : control.connections(connections);
    if (!ok) return ControlFailed("count", control);
    printf("%llu\n", verb == L"connections" ? static_cast<unsigned long long>(connections)
                                            : static_cast<unsigned long long>(count));
    return kExitOk;
}

}  // namespace

int CommandDiag(const Words& words) {
    if (WantsHelp(words) || words.empty()) return HelpOrUsage(words, kUsage);
    const std::wstring& verb = words[0];
    if (verb == L"install" || verb == L"start" || verb == L"stop" || verb == L"status" || verb == L"remove")
        return words.size() == 1 ? Service(verb) : Usage(kUsage);
    if (verb == L"log") return Log(words);
    if (verb == L"tags") return Tags(words);
    if (verb == L"behave") return Behave(words);
    if (verb == L"timing") return Timing(words);
    if (verb == L"notify") return Notify(words);
    if (verb == L"set" || verb == L"unset" || verb == L"drop") return Member(words);
    if ((verb == L"subscribers" || verb == L"drop-subscribers" || verb == L"connections") && words.size() == 1)
        return Counts(verb);
    DiagSimControl control;
    if (verb == L"reset" && words.size() == 1) {
        if (!control.reset()) return ControlFailed("reset the service", control);
        printf("ok\n");
        return kExitOk;
    }
    if (verb == L"delay" && words.size() == 2) {
        uint32_t ms;
        if (!ParseNumber(words[1], ms) || ms > 600000) return Refused("diag", "delay takes milliseconds, at most 600000");
        if (!control.delay(ms)) return ControlFailed("set the delay", control);
        printf("ok\n");
        return kExitOk;
    }
    if (verb == L"show" && words.size() == 1) {
        std::string json;
        if (!control.show(json)) return ControlFailed("read the state", control);
        printf("%s\n", json.c_str());
        return kExitOk;
    }
    fprintf(stderr, "qlsim diag: unknown command %s\n", Quoted(verb, kShownUnits).c_str());
    return Usage(kUsage);
}

}  // namespace qlsim
