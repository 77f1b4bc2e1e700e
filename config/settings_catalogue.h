// The catalogue of the client's settings: every setting's identifier, flag
// bits and name, in the client's own order. Lookups walk it in that order
// and the first entry with an identifier wins (1190 has two entries).
#pragma once

#include <cstddef>
#include <cstdint>

#include "config/config_status.h"

namespace qlclapi {

struct SettingDefinition {
    uint32_t id;
    uint32_t flags;
    const char16_t* name;
};

// A per-user value, when present, is read before the machine-wide one.
constexpr uint32_t kSettingUserLevel = 0x1;
// A text-store read fails unless the caller ignores the flags; the binary
// store does not look at it.
constexpr uint32_t kSettingRefusedByTextStore = 0x4;
// 0x2, 0x8, 0x10 and 0x20 are carried and reported; no read depends on them.

// Settings the library reads by identifier.
namespace setting {
constexpr uint32_t kEnableClientReports = 24850;     // A_DIAG_EnableClientReports
constexpr uint32_t kEnableBandwidthTest = 24872;     // A_DIAG_EnableBandwidthTest
constexpr uint32_t kEnableTrayMenu = 1037;           // A_VESEnableTrayMenu
constexpr uint32_t kDefaultPassthruMode = 1059;      // A_DefaultPassthruMode
constexpr uint32_t kClientSetsDefaultPassthruMode = 1061;
constexpr uint32_t kBypassDuringLogoff = 1096;
constexpr uint32_t kHelloListMask = 1067;            // A_VESAuthHelloListMask
constexpr uint32_t kAllowClientSavePasswordMode = 1085;
constexpr uint32_t kAlwaysPrompt = 1142;
constexpr uint32_t kNeverPrompt = 1201;
constexpr uint32_t kDefaultCredentials = 1069;
constexpr uint32_t kClientSetsDefaultCredentials = 1070;
constexpr uint32_t kCustomLogonPrompt = 1179;
constexpr uint32_t kLogonRepromptCredential = 1180;
constexpr uint32_t kVorantisUserName = 1190;
}  // namespace setting

constexpr size_t kSettingCount = 186;
extern const SettingDefinition kSettingCatalogue[kSettingCount];

// The first entry with the identifier, or null.
const SettingDefinition* FindSetting(uint32_t id) noexcept;
// The first entry with exactly this name, or null (for the tools).
const SettingDefinition* FindSettingByName(const char16_t* name) noexcept;

uint32_t IsKnownSetting(uint32_t id) noexcept;
// The entry's flags AND mask (its low 8 bits), or `unknown` when the
// catalogue does not hold the identifier.
uint32_t SettingHasFlags(uint32_t id, uint32_t mask, uint32_t unknown) noexcept;
uint32_t IsUserSetting(uint32_t id) noexcept;           // mask 0x1, unknown 0
uint32_t IsRefusedByTextStore(uint32_t id) noexcept;    // mask 0x4, unknown 1: unknown settings are refused
uint32_t HasSettingFlag8(uint32_t id) noexcept;         // mask 0x8, unknown 0

// The registry value name of a setting: 8 upper-case hexadecimal digits and
// a terminator ("00006112" for 24850). 0x80000007 when capacity < 9 units,
// and then nothing is written.
constexpr size_t kSettingIdUnits = 9;
ConfigStatus FormatSettingId(uint32_t id, char16_t* buffer, size_t capacity) noexcept;

}  // namespace qlclapi
