#include "diag_sim_control.h"

#include <nlohmann/json.hpp>

#include "hex_text.h"
#include "sim_service.h"

namespace qlsim {

namespace {

using Json = nlohmann::json;

std::wstring ServiceImagePath() {
    wchar_t self[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return std::wstring();
    std::wstring path(self, length);
    return path.substr(0, path.find_last_of(L"\\/") + 1) + qldiag::kServiceImage;
}

class Pipe {
public:
    explicit Pipe(HANDLE handle) : handle_(handle) {}
    ~Pipe() {
        if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    }
    Pipe(const Pipe&) = delete;
    Pipe& operator=(const Pipe&) = delete;
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

}  // namespace

DWORD InstallDiagService() {
    std::wstring image = ServiceImagePath();
    if (image.empty()) return ERROR_BAD_PATHNAME;
    if (GetFileAttributesW(image.c_str()) == INVALID_FILE_ATTRIBUTES) return GetLastError();
    return InstallService(qldiag::kServiceName, qldiag::kServiceDisplayName, SERVICE_WIN32_OWN_PROCESS,
                          image.c_str());
}

DWORD StartDiagService() { return StartNamedService(qldiag::kServiceName); }
DWORD StopDiagService() { return StopNamedService(qldiag::kServiceName); }
DWORD RemoveDiagService() {
    StopNamedService(qldiag::kServiceName);
    return RemoveNamedService(qldiag::kServiceName);
}
DWORD DiagServiceState() { return NamedServiceState(qldiag::kServiceName); }

bool DiagSimControl::call(const std::string& request, std::string& reply) {
    reply.clear();
    lastReply_.clear();
    HANDLE opened = INVALID_HANDLE_VALUE;
    // The control pipe has one instance: wait while another client uses it.
    for (int attempt = 0; attempt < 50; ++attempt) {
        opened = CreateFileW(qldiag::kControlPipeName, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                             nullptr);
        if (opened != INVALID_HANDLE_VALUE || GetLastError() != ERROR_PIPE_BUSY) break;
        WaitNamedPipeW(qldiag::kControlPipeName, 200);
    }
    Pipe pipe(opened);
    DWORD mode = PIPE_READMODE_MESSAGE, written = 0;
    if (opened == INVALID_HANDLE_VALUE || !SetNamedPipeHandleState(pipe.get(), &mode, nullptr, nullptr) ||
        !WriteFile(pipe.get(), request.data(), DWORD(request.size()), &written, nullptr)) {
        lastError_ = GetLastError();
        return false;
    }
    std::string buffer(65536, '\0');
    for (;;) {
        DWORD read = 0;
        BOOL complete = ReadFile(pipe.get(), &buffer[0], DWORD(buffer.size()), &read, nullptr);
        if (!complete && GetLastError() != ERROR_MORE_DATA) {
            lastError_ = GetLastError();
            return false;
        }
        reply.append(buffer.data(), read);
        if (complete) break;
    }
    lastReply_ = reply;
    Json parsed = Json::parse(reply, nullptr, false);
    return parsed.is_object() && parsed.value("status", "") == "success";
}

bool DiagSimControl::simple(const std::string& request) {
    std::string reply;
    return call(request, reply);
}

bool DiagSimControl::reset() { return simple(R"({"op":"reset"})"); }

bool DiagSimControl::log(std::vector<std::string>& messages, bool clear) {
    messages.clear();
    std::string reply;
    if (!call(Json{{"op", "log"}, {"clear", clear}}.dump(), reply)) return false;
    const Json parsed = Json::parse(reply, nullptr, false);
    if (!parsed.is_object() || !parsed.contains("entries")) return false;
    for (const auto& entry : parsed["entries"]) {
        std::string bytes;
        if (!FromHex(entry.get<std::string>(), bytes)) return false;
        messages.push_back(bytes);
    }
    return true;
}

bool DiagSimControl::tags(std::vector<DiagTag>& tags, bool clear) {
    tags.clear();
    std::string reply;
    if (!call(Json{{"op", "tags"}, {"clear", clear}}.dump(), reply)) return false;
    const Json parsed = Json::parse(reply, nullptr, false);
    if (!parsed.is_object() || !parsed.contains("tags")) return false;
    for (const auto& entry : parsed["tags"])
        tags.push_back(DiagTag{entry.value("key", ""), entry.value("value", ""), entry.contains("value")});
    return true;
}

bool DiagSimControl::behave(const std::string& mode, uint64_t bytes, uint64_t ms, const std::string& raw) {
    return simple(Json{{"op", "behave"}, {"mode", mode}, {"bytes", bytes}, {"ms", ms}, {"hex", ToHex(raw)}}.dump());
}

bool DiagSimControl::delay(uint32_t ms) { return simple(Json{{"op", "delay"}, {"ms", ms}}.dump()); }

bool DiagSimControl::set(const std::string& member, const std::string& jsonValue) {
    Json value = Json::parse(jsonValue, nullptr, false);
    if (value.is_discarded()) {
        lastReply_ = "not a JSON value";
        return false;
    }
    return simple(Json{{"op", "set"}, {"member", member}, {"value", value}}.dump());
}

bool DiagSimControl::drop(const std::string& member) { return simple(Json{{"op", "drop"}, {"member", member}}.dump()); }
bool DiagSimControl::unset(const std::string& member) {
    return simple(Json{{"op", "unset"}, {"member", member}}.dump());
}

bool DiagSimControl::timing(int64_t reportMs, int64_t testMs, int64_t cooloffMs) {
    Json request{{"op", "timing"}};
    if (reportMs >= 0) request["report"] = uint64_t(reportMs);
    if (testMs >= 0) request["test"] = uint64_t(testMs);
    if (cooloffMs >= 0) request["cooloff"] = uint64_t(cooloffMs);
    return simple(request.dump());
}

namespace {

bool CountFrom(const std::string& reply, const char* name, int* count) {
    Json parsed = Json::parse(reply, nullptr, false);
    if (count && parsed.is_object()) *count = parsed.value(name, 0);
    return true;
}

}  // namespace

bool DiagSimControl::notify(const std::string& bytes, int* sent) {
    std::string reply;
    return call(Json{{"op", "notify"}, {"hex", ToHex(bytes)}}.dump(), reply) && CountFrom(reply, "sent", sent);
}

bool DiagSimControl::notifySized(uint64_t size, int* sent) {
    std::string reply;
    return call(Json{{"op", "notify"}, {"size", size}}.dump(), reply) && CountFrom(reply, "sent", sent);
}

bool DiagSimControl::dropSubscribers(int* dropped) {
    std::string reply;
    return call(R"({"op":"drop-subscribers"})", reply) && CountFrom(reply, "subscribers", dropped);
}

bool DiagSimControl::subscribers(int& count) {
    std::string reply;
    return call(R"({"op":"subscribers"})", reply) && CountFrom(reply, "subscribers", &count);
}

bool DiagSimControl::connections(uint64_t& count) {
    std::string reply;
    if (!call(R"({"op":"connections"})", reply)) return false;
    const Json parsed = Json::parse(reply, nullptr, false);
    count = parsed.is_object() ? parsed.value("connections", uint64_t(0)) : 0;
    return true;
}

bool DiagSimControl::show(std::string& json) { return call(R"({"op":"show"})", json); }

}  // namespace qlsim
