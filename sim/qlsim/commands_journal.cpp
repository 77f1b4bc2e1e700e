// journal, pending, complete: what the simulated driver received.
#include <cstdio>
#include <string>

#include "arguments.h"
#include "commands.h"
#include "sim_control.h"

namespace qlsim {

namespace {

const char* EventName(uint32_t event) {
    switch (event) {
    case QLSIM_EVENT_OPEN: return "open";
    case QLSIM_EVENT_REQUEST: return "request";
    case QLSIM_EVENT_CLOSE: return "close";
    default: return "?";
    }
}

const char* KindName(uint32_t kind) { return kind == QLSIM_HANDLE_OVERLAPPED ? "overlapped" : "sync"; }

std::string InputHex(const QlSimJournalEntry& e) {
    std::string hex;
    uint32_t shown = e.inLength < QLSIM_JOURNAL_INPUT_BYTES ? e.inLength : QLSIM_JOURNAL_INPUT_BYTES;
    for (uint32_t i = 0; i < shown && !e.inNull; ++i) {
        char byte[4];
        snprintf(byte, sizeof byte, "%02X", e.input[i]);
        hex += byte;
    }
    return hex;
}

void PrintEntry(const QlSimJournalEntry& e, bool json) {
    if (json) {
        printf("{\"code\":%u,\"event\":\"%s\",\"handle\":%u,\"in\":%u,\"input\":\"%s\",\"kind\":\"%s\",\"out\":%u,"
               "\"returned\":%u,\"sequence\":%u,\"status\":%u}\n",
               e.code, EventName(e.event), e.handleId, e.inLength, InputHex(e).c_str(), KindName(e.handleKind),
               e.outLength, e.returned, e.sequence, e.status);
        return;
    }
    if (e.event != QLSIM_EVENT_REQUEST) {
        printf("%5u %-7s %-10s handle %u\n", e.sequence, EventName(e.event), KindName(e.handleKind), e.handleId);
        return;
    }
    printf("%5u %-7s %-10s handle %u code %s in %u%s out %u%s status %s returned %u%s%s\n", e.sequence,
           EventName(e.event), KindName(e.handleKind), e.handleId, Hex32(e.code).c_str(), e.inLength,
           e.inNull ? " (null)" : "", e.outLength, e.outNull ? " (null)" : "", Hex32(e.status).c_str(), e.returned,
           e.inLength && !e.inNull ? " input " : "", InputHex(e).c_str());
}

}  // namespace

int CommandJournal(const Words& words) {
    bool json = false, clear = false;
    for (const auto& w : words) {
        if (w == L"--json") json = true;
        else if (w == L"--clear") clear = true;
        else return HelpOrUsage(words, "usage: qlsim journal [--json] [--clear]\n"
                                        "  prints every open, request and close the driver saw on client handles;\n"
                                        "  --clear empties the journal after printing it\n");
    }
    SimControl control;
    int exitCode;
    if (!OpenControl(control, exitCode)) return exitCode;
    std::vector<QlSimJournalEntry> entries;
    QlSimJournalHeader header;
    if (!control.readJournal(entries, &header)) return Failed("read the journal", control.lastError());
    for (const auto& e : entries) PrintEntry(e, json);
    if (header.dropped && !json) printf("(%u entries dropped: the journal was full)\n", header.dropped);
    if (clear && !control.clearJournal()) return Failed("clear the journal", control.lastError());
    return kExitOk;
}

int CommandPending(const Words& words) {
    if (WantsHelp(words) || !words.empty())
        return HelpOrUsage(words, "usage: qlsim pending\n  prints the number of pending state-change notifications\n");
    SimControl control;
    int exitCode;
    if (!OpenControl(control, exitCode)) return exitCode;
    uint32_t count;
    if (!control.pendingCount(count)) return Failed("count pending notifications", control.lastError());
    printf("%u\n", count);
    return kExitOk;
}

int CommandComplete(const Words& words) {
    if (WantsHelp(words) || !words.empty())
        return HelpOrUsage(words, "usage: qlsim complete\n  completes every pending state-change notification\n");
    SimControl control;
    int exitCode;
    if (!OpenControl(control, exitCode)) return exitCode;
    uint32_t completed;
    if (!control.completePending(&completed)) return Failed("complete notifications", control.lastError());
    printf("%u\n", completed);
    return kExitOk;
}

}  // namespace qlsim
