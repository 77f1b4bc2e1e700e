// Addresses on qlsim's command line and in its output, in the library's own
// text grammar, so that what qlsim prints can be typed back and what a user
// types is what the library would print.
#pragma once

#include <string>

#include "sim_records.h"

namespace qlsim {

// One address without a prefix (the driver's records have no prefix byte):
// "10.1.2.3", "10.1.2.3:5008", "fe80::1%7", "[fe80::1%7]:5008", or "none"
// for family 0. A list is refused rather than cut at its first "," or ";"
// as the grammar would.
bool ParseAddressWord(const std::wstring& word, AddressRecord& record);
// The record's text; "none" for family 0, "family N" for a family that
// holds no address.
std::string AddressWord(const AddressRecord& record);

// For usage texts and messages.
extern const char kAddressForms[];

}  // namespace qlsim
