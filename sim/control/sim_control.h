// User-mode side of the simulated driver's control channel.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "qlsim_control.h"

namespace qlsim {

class SimControl {
public:
    SimControl();
    ~SimControl();
    SimControl(const SimControl&) = delete;
    SimControl& operator=(const SimControl&) = delete;

    bool isOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
    // Win32 error of the last failed request (or of the open).
    DWORD lastError() const { return lastError_; }

    bool reset();
    bool getState(QlSimState& state);
    bool setState(const QlSimState& state);
    // Reads the state, lets `change` edit it and writes it back.
    template <typename Change>
    bool updateState(Change change) {
        QlSimState state;
        if (!getState(state)) return false;
        change(state);
        return setState(state);
    }
    bool setRule(uint32_t code, uint32_t mode, uint32_t bytes = 0);
    bool readJournal(std::vector<QlSimJournalEntry>& entries, QlSimJournalHeader* header = nullptr);
    bool clearJournal();
    bool pendingCount(uint32_t& count);
    bool completePending(uint32_t* completed = nullptr);
    bool setRecord(uint32_t id, const void* bytes, uint32_t length);
    bool setRecord(uint32_t id, const std::vector<uint8_t>& bytes) {
        return setRecord(id, bytes.data(), uint32_t(bytes.size()));
    }
    // The record's bytes, at most `capacity` of them.
    bool getRecord(uint32_t id, std::vector<uint8_t>& bytes, uint32_t capacity = QLSIM_MAX_RECORD_BYTES);

private:
    bool request(uint32_t code, const void* input, DWORD inputBytes, void* output, DWORD outputBytes,
                 DWORD* returned = nullptr);

    HANDLE handle_;
    DWORD lastError_ = 0;
};

}  // namespace qlsim
