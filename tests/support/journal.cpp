#include "support/journal.h"

#include <cstdio>

namespace qltest {

std::string Hex(uint32_t value) {
    char text[16];
    snprintf(text, sizeof text, "0x%06X", value);
    return text;
}

std::string SeenEvent::line() const {
    const char* kind = handleKind == QLSIM_HANDLE_OVERLAPPED ? "overlapped" : "sync";
    switch (event) {
    case QLSIM_EVENT_OPEN: return std::string("open ") + kind;
    case QLSIM_EVENT_CLOSE: return std::string("close ") + kind;
    default: return Hex(code) + " " + kind;
    }
}

uint32_t SeenEvent::inputWord() const {
    if (input.size() < 4) return 0;
    return uint32_t(input[0]) | uint32_t(input[1]) << 8 | uint32_t(input[2]) << 16 | uint32_t(input[3]) << 24;
}

std::vector<SeenEvent> ToSeenEvents(const std::vector<QlSimJournalEntry>& entries) {
    std::vector<SeenEvent> events;
    for (const auto& e : entries) {
        SeenEvent s{e.event, e.handleKind, e.handleId, e.code, e.inLength, e.outLength, e.status, e.returned,
                    e.inNull != 0, e.outNull != 0, {}};
        if (!s.inNull) {
            uint32_t kept = e.inLength < QLSIM_JOURNAL_INPUT_BYTES ? e.inLength : QLSIM_JOURNAL_INPUT_BYTES;
            s.input.assign(e.input, e.input + kept);
        }
        events.push_back(s);
    }
    return events;
}

std::vector<std::string> Lines(const std::vector<SeenEvent>& events) {
    std::vector<std::string> lines;
    for (const auto& e : events) lines.push_back(e.line());
    return lines;
}

std::vector<std::string> RequestLines(const std::vector<SeenEvent>& events) {
    std::vector<std::string> lines;
    for (const auto& e : events)
        if (e.event == QLSIM_EVENT_REQUEST) lines.push_back(e.line());
    return lines;
}

}  // namespace qltest
