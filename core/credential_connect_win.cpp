#include "core/credential_connect.h"

#include <windows.h>

#include "core/driver_channel_win.h"
#include "core/heap_buffer.h"
#include "core/request_codes.h"
#include "core/secure_memory.h"

namespace qlclapi {

namespace {

// Gives the client time to drop the old session before new credentials
// arrive.
constexpr DWORD kDisconnectSettleMilliseconds = 500;

}  // namespace

uint32_t ConnectWithPassword(const wchar_t* first, const wchar_t* second, const wchar_t* third) {
    if (!DriverAvailable()) return 0;
    const uint32_t action = ActionWord::ClientSideDisconnect;
    SendDeviceRequest(RequestCode::Action, &action, sizeof action, nullptr, 0);
    Sleep(kDisconnectSettleMilliseconds);

    {
        HeapBuffer<CredentialRecord> record(1, Wipe::OnRelease);
        if (!record.ok()) return 0;  // the disconnect stands; no enable follows
        record->type = kPasswordCredentials;
        CopyIntoTextField(record->first, first);
        CopyIntoTextField(record->second, second);
        CopyIntoTextField(record->third, third);
        SendDeviceRequest(RequestCode::Credentials, record.data(), sizeof(CredentialRecord), nullptr, 0);
    }

    if (!DriverAvailable()) return 0;
    SendDeviceRequest(RequestCode::Enable, nullptr, 0, nullptr, 0);
    return 1;
}

uint32_t SetExternalCondition(const wchar_t* first, const wchar_t* second) {
    if (!first) return 0;
    if (!DriverAvailable()) return 1;
    ExternalConditionRecord record = {};
    CopyIntoTextField(record.first, first);
    CopyIntoTextField(record.second, second);
    SendDeviceRequest(RequestCode::ExternalCondition, &record, sizeof record, nullptr, 0);
    SecureWipe(&record, sizeof record);
    return 1;
}

}  // namespace qlclapi
