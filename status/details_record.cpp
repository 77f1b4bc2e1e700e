#include "status/details_record.h"

namespace qlclapi {

namespace {

static_assert(kDetailsUserTextOffset + kDetailsTextBytes <= kDetailsDeviceTextOffset &&
                  kDetailsDeviceTextOffset + kDetailsTextBytes <= kDetailsUserMarkerOffset &&
                  kDetailsDeviceMarkerOffset + 4 <= kDetailsRecordBytes,
              "the fields lie inside the record, one after the other");

DetailsName NameAt(const DetailsRecord& record, size_t textOffset, size_t markerOffset) {
    DetailsName name;
    const uint8_t* m = record + markerOffset;
    const uint32_t marker = uint32_t(m[0]) | uint32_t(m[1]) << 8 | uint32_t(m[2]) << 16 | uint32_t(m[3]) << 24;
    name.present = marker != kDetailsAbsent;
    // Byte by byte: the text's offset need not suit a char16_t.
    for (size_t i = 0; i < kDetailsTextBytes / 2; ++i) {
        const uint8_t* unit = record + textOffset + 2 * i;
        char16_t value = static_cast<char16_t>(unit[0] | (unit[1] << 8));
        if (value == 0) break;
        name.text[name.length++] = value;
    }
    name.text[name.length] = 0;
    return name;
}

}  // namespace

DetailsName UserOf(const DetailsRecord& record) {
    return NameAt(record, kDetailsUserTextOffset, kDetailsUserMarkerOffset);
}

DetailsName DeviceOf(const DetailsRecord& record) {
    return NameAt(record, kDetailsDeviceTextOffset, kDetailsDeviceMarkerOffset);
}

}  // namespace qlclapi
