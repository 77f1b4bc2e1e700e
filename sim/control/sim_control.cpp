#include "sim_control.h"

namespace qlsim {

SimControl::SimControl()
    : handle_(CreateFileW(QLSIM_CONTROL_PATH, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr)) {
    if (handle_ == INVALID_HANDLE_VALUE) lastError_ = GetLastError();
}

SimControl::~SimControl() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
}

bool SimControl::request(uint32_t code, const void* input, DWORD inputBytes, void* output, DWORD outputBytes,
                         DWORD* returned) {
    DWORD bytes = 0;
    if (!isOpen()) return false;
    if (!DeviceIoControl(handle_, code, const_cast<void*>(input), inputBytes, output, outputBytes, &bytes,
                         nullptr)) {
        lastError_ = GetLastError();
        return false;
    }
    if (returned) *returned = bytes;
    return true;
}

bool SimControl::reset() { return request(QLSIM_CTL_RESET, nullptr, 0, nullptr, 0); }

bool SimControl::getState(QlSimState& state) {
    DWORD returned = 0;
    return request(QLSIM_CTL_GET_STATE, nullptr, 0, &state, sizeof state, &returned) && returned == sizeof state;
}

bool SimControl::setState(const QlSimState& state) {
    return request(QLSIM_CTL_SET_STATE, &state, sizeof state, nullptr, 0);
}

bool SimControl::setRule(uint32_t code, uint32_t mode, uint32_t bytes) {
    QlSimRule rule{code, mode, bytes};
    return request(QLSIM_CTL_SET_RULE, &rule, sizeof rule, nullptr, 0);
}

bool SimControl::readJournal(std::vector<QlSimJournalEntry>& entries, QlSimJournalHeader* header) {
    std::vector<uint8_t> buffer(sizeof(QlSimJournalHeader) + QLSIM_JOURNAL_CAPACITY * sizeof(QlSimJournalEntry));
    DWORD returned = 0;
    entries.clear();
    if (!request(QLSIM_CTL_READ_JOURNAL, nullptr, 0, buffer.data(), DWORD(buffer.size()), &returned) ||
        returned < sizeof(QlSimJournalHeader))
        return false;
    QlSimJournalHeader head;
    memcpy(&head, buffer.data(), sizeof head);
    size_t fit = (returned - sizeof head) / sizeof(QlSimJournalEntry);
    if (head.count < fit) fit = head.count;
    entries.resize(fit);
    if (fit) memcpy(entries.data(), buffer.data() + sizeof head, fit * sizeof(QlSimJournalEntry));
    if (header) *header = head;
    return true;
}

bool SimControl::clearJournal() { return request(QLSIM_CTL_CLEAR_JOURNAL, nullptr, 0, nullptr, 0); }

bool SimControl::pendingCount(uint32_t& count) {
    DWORD returned = 0;
    count = 0;
    return request(QLSIM_CTL_PENDING_COUNT, nullptr, 0, &count, sizeof count, &returned) && returned == sizeof count;
}

bool SimControl::completePending(uint32_t* completed) {
    uint32_t count = 0;
    bool ok = request(QLSIM_CTL_COMPLETE_PENDING, nullptr, 0, &count, sizeof count);
    if (completed) *completed = count;
    return ok;
}

bool SimControl::setRecord(uint32_t id, const void* bytes, uint32_t length) {
    std::vector<uint8_t> buffer(sizeof(QlSimRecordHeader) + length);
    QlSimRecordHeader header{id, length};
    memcpy(buffer.data(), &header, sizeof header);
    if (length) memcpy(buffer.data() + sizeof header, bytes, length);
    return request(QLSIM_CTL_SET_RECORD, buffer.data(), DWORD(buffer.size()), nullptr, 0);
}

bool SimControl::getRecord(uint32_t id, std::vector<uint8_t>& bytes, uint32_t capacity) {
    std::vector<uint8_t> buffer(sizeof(QlSimRecordHeader) + capacity);
    DWORD returned = 0;
    bytes.clear();
    if (!request(QLSIM_CTL_GET_RECORD, &id, sizeof id, buffer.data(), DWORD(buffer.size()), &returned) ||
        returned < sizeof(QlSimRecordHeader))
        return false;
    bytes.assign(buffer.begin() + sizeof(QlSimRecordHeader), buffer.begin() + returned);
    return true;
}

}  // namespace qlsim
