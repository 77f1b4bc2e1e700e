#include "diag_simulation.h"

#include <algorithm>

#include "hex_text.h"

namespace qldiag {

using qlsim::FromHex;
using qlsim::ToHex;

namespace {

constexpr uint64_t kDefaultReportMs = 3000, kDefaultTestMs = 2000, kDefaultCooloffMs = 3000;
constexpr size_t kLogMessages = 10000;
constexpr uint64_t kLogBytes = 64ull << 20;
const char* const kReportStages[] = {"connectivity", "dns", "route", "wifi", "upload"};

Json Status(const char* status) { return Json{{"status", status}}; }
Json Error(const std::string& why) { return Json{{"status", "error"}, {"error", why}}; }

std::string StringMember(const Json& message, const char* name) {
    auto found = message.find(name);
    return found != message.end() && found->is_string() ? found->get<std::string>() : std::string();
}

uint64_t NumberMember(const Json& message, const char* name, uint64_t fallback) {
    auto found = message.find(name);
    return found != message.end() && found->is_number_unsigned() ? found->get<uint64_t>() : fallback;
}

std::vector<std::string> SplitList(const std::string& list) {
    std::vector<std::string> items;
    size_t start = 0;
    while (start <= list.size()) {
        size_t end = list.find(',', start);
        if (end == std::string::npos) end = list.size();
        if (end > start) items.push_back(list.substr(start, end - start));
        start = end + 1;
    }
    return items;
}

// The client's library sends a lone low surrogate in its three-byte form,
// which is not UTF-8; the service reads such bytes as U+FFFD and goes on.
std::string LenientUtf8(const std::string& bytes) {
    std::string out;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    for (size_t i = 0; i < bytes.size();) {
        unsigned char lead = p[i];
        size_t length = lead < 0x80 ? 1 : lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3
                                        : lead >= 0xF0 && lead <= 0xF4 ? 4 : 0;
        bool valid = length != 0 && i + length <= bytes.size();
        for (size_t k = 1; valid && k < length; ++k) valid = (p[i + k] & 0xC0) == 0x80;
        if (valid && length == 3) {
            unsigned second = p[i + 1];
            valid = !(lead == 0xE0 && second < 0xA0) && !(lead == 0xED && second >= 0xA0);
        }
        if (valid && length == 4) {
            unsigned second = p[i + 1];
            valid = !(lead == 0xF0 && second < 0x90) && !(lead == 0xF4 && second >= 0x90);
        }
        if (valid) {
            out.append(bytes, i, length);
            i += length;
        } else {
            out += "\xEF\xBF\xBD";
            ++i;
        }
    }
    return out;
}

}  // namespace

std::string Simulation::SizedReply(uint64_t bytes) {
    return "{\"pad\":\"" + std::string(bytes > 29 ? bytes - 29 : 0, 'x') + "\",\"status\":\"success\"}";
}

std::string Simulation::SizedMessage(uint64_t bytes) {
    return "{\"pad\":\"" + std::string(bytes > 10 ? bytes - 10 : 0, 'x') + "\"}";
}

void Simulation::resetLocked() {
    behaviour_ = Behaviour();
    reportMs_ = kDefaultReportMs, testMs_ = kDefaultTestMs, cooloffMs_ = kDefaultCooloffMs;
    report_ = Run(), test_ = Run();
    cooloffUntil_ = 0, testDone_ = false, testFailure_.clear(), lastMessageSent_ = 0;
    overrides_.clear(), dropped_.clear(), tags_.clear(), log_.clear();
    logBytes_ = 0, logDropped_ = 0, logFirst_ = 1, shows_ = 0, clears_ = 0;
}

void Simulation::advance(const Clock& now) {
    if (report_.active) {
        if (now.ms >= report_.endsAt) {
            report_.active = false, report_.percent = 100;
            lastMessageSent_ = now.fileTime;  // the finished report went to the server
        } else {
            report_.percent = int32_t((now.ms - report_.startedAt) * 100 / (report_.endsAt - report_.startedAt));
        }
    }
    if (test_.active && now.ms >= test_.endsAt) {
        test_.active = false, test_.percent = 100;
        testDone_ = true, testFailure_.clear();
        cooloffUntil_ = test_.endsAt + cooloffMs_;
    }
}

Answer Simulation::request(const std::string& message, const Clock& now) {
    std::lock_guard<std::mutex> hold(lock_);
    if (log_.size() >= kLogMessages || logBytes_ + message.size() > kLogBytes) {
        while (!log_.empty() && (log_.size() >= kLogMessages || logBytes_ + message.size() > kLogBytes)) {
            logBytes_ -= log_.front().size();
            log_.erase(log_.begin());
            ++logDropped_, ++logFirst_;
        }
    }
    log_.push_back(message);
    logBytes_ += message.size();
    advance(now);

    Answer answer;
    Json parsed = Json::parse(LenientUtf8(message), nullptr, false);
    Json reply;
    if (parsed.is_discarded()) {
        reply = Error("request is not JSON");
    } else if (!parsed.is_object() || !parsed.contains("type") || !parsed["type"].is_string()) {
        reply = Error("request has no type");
    } else if (parsed["type"] == "subscribe") {
        answer.subscribe = true;
        return answer;
    } else {
        reply = command(parsed, now);
    }
    answer.reply = reply.dump(-1, ' ', false, Json::error_handler_t::replace);
    return answer;
}

Json Simulation::command(const Json& message, const Clock& now) {
    const std::string type = message["type"];
    if (type == "startReport") return startReport(message, now);
    if (type == "startBandwidth") return startBandwidth(message, now);
    if (type == "abortReport" || type == "abortBandwidth") {
        Run& run = type == "abortReport" ? report_ : test_;
        if (!run.active) return Status("not-active");
        run.active = false;
        if (&run == &test_) testFailure_ = "aborted", testDone_ = false;
        return Status("success");
    }
    if (type == "showReport") return ++shows_, Status("success");
    if (type == "clearLogs") return ++clears_, Status("success");
    if (type == "customEvent") {
        auto key = message.find("key");
        if (key == message.end() || !key->is_string()) return Error("customEvent needs a key");
        auto value = message.find("value");
        const bool hasValue = value != message.end() && value->is_string();
        tags_.push_back(Tag{key->get<std::string>(), hasValue ? value->get<std::string>() : std::string(), hasValue});
        return Status("success");
    }
    if (type == "state") return stateReply(message, now);
    return Error("unknown type");
}

Json Simulation::startReport(const Json& message, const Clock& now) {
    const std::string source = StringMember(message, "source");
    if (report_.active) return Status("busy");
    if (source != "policy" && !gates_().reportsEnabled) return Status("disabled");
    const int32_t instance = report_.instance + 1;
    report_ = Run{true, instance, source, StringMember(message, "memo"), now.ms, now.ms + reportMs_, 0};
    return Json{{"status", "success"}, {"report-instance", instance}};
}

Json Simulation::startBandwidth(const Json& message, const Clock& now) {
    const std::string source = StringMember(message, "source");
    if (test_.active) return Status("busy");
    if (now.ms < cooloffUntil_) return Status("cooloff");
    if (source != "policy" && !gates_().testsEnabled) return Status("disabled");
    const int32_t instance = test_.instance + 1;
    test_ = Run{true, instance, source, StringMember(message, "memo"), now.ms, now.ms + testMs_, 0};
    testDone_ = false, testFailure_.clear();
    return Json{{"status", "success"}, {"test-instance", instance}};
}

Json Simulation::state(const Clock& now) {
    const Gates gates = gates_();
    Json s = Json::object();
    s["collection-state"] = "collecting";
    s["server-reachable"] = true;
    if (lastMessageSent_) s["last-message-sent"] = lastMessageSent_;
    s["report-enabled"] = gates.reportsEnabled;
    s["report-active"] = report_.active;
    s["report-instance"] = report_.instance;
    s["report-percent-complete"] = report_.percent;
    s["report-current-test"] = report_.active ? kReportStages[std::min(4, report_.percent * 5 / 100)] : "";
    s["report-source"] = report_.source;
    s["report-memo"] = report_.memo;
    s["test-enabled"] = gates.testsEnabled;
    s["test-active"] = test_.active;
    s["test-cooloff"] = !test_.active && now.ms < cooloffUntil_;
    s["test-instance"] = test_.instance;
    s["test-source"] = test_.source;
    s["test-memo"] = test_.memo;
    s["test-fail"] = testFailure_;
    if (testDone_) {
        s["test-latency-ms"] = 23.5;
        s["test-rx-bps-max"] = 2500000;
        s["test-tx-bps-max"] = 1250000;
    }
    for (const auto& o : overrides_) s[o.first] = o.second;
    for (const auto& name : dropped_) s.erase(name);
    return s;
}

Json Simulation::stateReply(const Json& message, const Clock& now) {
    const Json full = state(now);
    const std::vector<std::string> exact = SplitList(StringMember(message, "exactFilter"));
    const std::vector<std::string> prefixes = SplitList(StringMember(message, "wildcardFilter"));
    Json reply = Json::object();
    for (const auto& member : full.items()) {
        const std::string& name = member.key();
        bool wanted = std::find(exact.begin(), exact.end(), name) != exact.end();
        for (const auto& prefix : prefixes) wanted = wanted || name.compare(0, prefix.size(), prefix) == 0;
        if (wanted) reply[name] = member.value();
    }
    if (!overrides_.count("status") && !dropped_.count("status")) reply["status"] = "success";
    return reply;
}

Behaviour Simulation::behaviour(const Clock& now) {
    std::lock_guard<std::mutex> hold(lock_);
    if (behaviour_.mode == Behaviour::kBusy && behaviour_.busyUntil && now.ms >= behaviour_.busyUntil)
        behaviour_.mode = Behaviour::kNormal;
    return behaviour_;
}

Json Simulation::control(const Json& request, const Clock& now) {
    std::lock_guard<std::mutex> hold(lock_);
    advance(now);
    const std::string op = StringMember(request, "op");
    const std::string member = StringMember(request, "member");
    if (op == "reset") {
        resetLocked();
    } else if (op == "log") {
        Json entries = Json::array();
        for (const auto& message : log_) entries.push_back(ToHex(message));
        Json reply{{"status", "success"}, {"entries", entries}, {"first", logFirst_}, {"dropped", logDropped_}};
        if (request.value("clear", false)) logFirst_ += log_.size(), log_.clear(), logBytes_ = 0;
        return reply;
    } else if (op == "tags") {
        Json tags = Json::array();
        for (const auto& tag : tags_) {
            Json entry{{"key", tag.key}};
            if (tag.hasValue) entry["value"] = tag.value;
            tags.push_back(entry);
        }
        if (request.value("clear", false)) tags_.clear();
        return Json{{"status", "success"}, {"tags", tags}};
    } else if (op == "behave") {
        const std::string mode = StringMember(request, "mode");
        Behaviour next;
        next.delayMs = behaviour_.delayMs;
        next.bytes = NumberMember(request, "bytes", 0);
        if (mode == "normal") next.mode = Behaviour::kNormal;
        else if (mode == "busy") next.mode = Behaviour::kBusy;
        else if (mode == "refuse") next.mode = Behaviour::kRefuse;
        else if (mode == "cut") next.mode = Behaviour::kCut;
        else if (mode == "size" && next.bytes >= 29) next.mode = Behaviour::kSized;
        else if (mode == "raw" && FromHex(StringMember(request, "hex"), next.raw)) next.mode = Behaviour::kRaw;
        else return Error("behave: unknown mode or bad argument");
        const uint64_t ms = NumberMember(request, "ms", 0);
        next.busyUntil = next.mode == Behaviour::kBusy && ms ? now.ms + ms : 0;
        behaviour_ = next;
    } else if (op == "delay") {
        behaviour_.delayMs = uint32_t(std::min<uint64_t>(NumberMember(request, "ms", 0), 600000));
    } else if (op == "set" && !member.empty() && request.contains("value")) {
        overrides_[member] = request["value"];
        dropped_.erase(member);
    } else if (op == "unset" && !member.empty()) {
        overrides_.erase(member), dropped_.erase(member);
    } else if (op == "drop" && !member.empty()) {
        overrides_.erase(member), dropped_.insert(member);
    } else if (op == "timing") {
        reportMs_ = NumberMember(request, "report", reportMs_);
        testMs_ = NumberMember(request, "test", testMs_);
        cooloffMs_ = NumberMember(request, "cooloff", cooloffMs_);
    } else if (op == "show") {
        const char* modes[] = {"normal", "busy", "refuse", "cut", "raw", "size"};
        return Json{{"status", "success"},
                    {"state", state(now)},
                    {"behaviour", {{"mode", modes[behaviour_.mode]}, {"delay", behaviour_.delayMs}, {"bytes", behaviour_.bytes}}},
                    {"timing", {{"report", reportMs_}, {"test", testMs_}, {"cooloff", cooloffMs_}}},
                    {"shown", shows_},
                    {"cleared", clears_},
                    {"logged", log_.size()}};
    } else {
        return Error("unknown operation or missing argument");
    }
    return Status("success");
}

}  // namespace qldiag
