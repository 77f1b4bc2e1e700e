#include "setting_names.h"

#include "arguments.h"

namespace qlsim {

namespace {

struct SettingName {
    uint32_t id;
    const char* name;
};

const SettingName kSettingNames[] = {
    {24850, "A_DIAG_EnableClientReports"},
    {24872, "A_DIAG_EnableBandwidthTest"},
    {24851, "A_DIAG_CustomTests"},
    {1037, "A_VESEnableTrayMenu"},
    {1186, "A_VES_LocalityServerAddress"},
};

}  // namespace

bool ParseSetting(const std::wstring& word, uint32_t& id) {
    for (const SettingName& entry : kSettingNames) {
        if (word == std::wstring(entry.name, entry.name + std::char_traits<char>::length(entry.name))) {
            id = entry.id;
            return true;
        }
    }
    return ParseNumber(word, id);
}

std::string SettingLabel(uint32_t id) {
    for (const SettingName& entry : kSettingNames)
        if (entry.id == id) return std::to_string(id) + " " + entry.name;
    return std::to_string(id);
}

}  // namespace qlsim
