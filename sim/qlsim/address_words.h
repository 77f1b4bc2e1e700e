// Addresses on qlsim's command line and in its output, read and written by
// the platform's own conversions (ntdll's), not by the library's grammar:
// the stand-in must not share the code it checks.
#pragma once

#include <string>

#include "sim_records.h"

namespace qlsim {

// One address without a prefix (the driver's records have no prefix byte):
// "10.1.2.3", "10.1.2.3:5008", "fe80::1%7", "[fe80::1%7]:5008", or "none"
// for family 0. Anything else, a list included, is refused.
bool ParseAddressWord(const std::wstring& word, AddressRecord& record);
// The record's text; "none" for family 0, "family N" for a family that
// holds no address.
std::string AddressWord(const AddressRecord& record);

// For usage texts and messages.
extern const char kAddressForms[];

}  // namespace qlsim
