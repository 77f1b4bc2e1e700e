// The connection details record the driver answers 0x22245F with: 1088
// bytes, of which the status text reads the user's and the device's name
// and whether each is there.
#pragma once

#include <cstddef>
#include <cstdint>

namespace qlclapi {

constexpr size_t kDetailsRecordBytes = 1088;
constexpr size_t kDetailsUserTextOffset = 32;
constexpr size_t kDetailsDeviceTextOffset = 542;
constexpr size_t kDetailsTextBytes = 510;  // 255 UTF-16 units
constexpr size_t kDetailsUserMarkerOffset = 1052;
constexpr size_t kDetailsDeviceMarkerOffset = 1056;
// A marker with this value says the user (or device) is not there.
constexpr uint32_t kDetailsAbsent = 0xFFFFFFFF;

using DetailsRecord = uint8_t[kDetailsRecordBytes];

// A name of the record: present unless its marker says otherwise; its text
// ends at its first zero unit or after its 255 units, whichever comes first.
struct DetailsName {
    bool present = false;
    char16_t text[kDetailsTextBytes / 2 + 1] = {};
    size_t length = 0;
};

DetailsName UserOf(const DetailsRecord& record);
DetailsName DeviceOf(const DetailsRecord& record);

}  // namespace qlclapi
