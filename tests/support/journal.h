// The simulated driver's journal in a form tests compare and print well.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "qlsim_control.h"

namespace qltest {

struct SeenEvent {
    uint32_t event;       // QLSIM_EVENT_*
    uint32_t handleKind;  // QLSIM_HANDLE_*
    uint32_t handleId;
    uint32_t code;
    uint32_t inLength, outLength, status, returned;
    bool inNull, outNull;
    std::vector<uint8_t> input;  // the first input bytes the journal keeps

    // "open sync", "0x2224DB sync", "close overlapped"
    std::string line() const;
    uint32_t inputWord() const;  // first four input bytes, little-endian; 0 if fewer
};

std::vector<SeenEvent> ToSeenEvents(const std::vector<QlSimJournalEntry>& entries);
std::vector<std::string> RequestLines(const std::vector<SeenEvent>& events);
std::vector<std::string> Lines(const std::vector<SeenEvent>& events);
std::string Hex(uint32_t value);

}  // namespace qltest
