// Setting names on qlsim's command line and in its output: the few that its
// users and tests name, from the client's catalogue. Any other setting is
// given by its identifier.
#pragma once

#include <cstdint>
#include <string>

namespace qlsim {

// A name from the table, or an identifier in decimal or 0x-hexadecimal.
bool ParseSetting(const std::wstring& word, uint32_t& id);
// "24850 A_DIAG_EnableClientReports"; the identifier alone when unnamed.
std::string SettingLabel(uint32_t id);

}  // namespace qlsim
