#include "address_words.h"

#include <cstring>
#include <cwchar>
#include <tuple>

#include "address/address_text.h"

namespace qlsim {

static_assert(sizeof(DriverAddressRecord) == std::tuple_size<AddressRecord>::value,
              "a driver address record is what the simulated driver stores");

const char kAddressForms[] =
    "10.1.2.3, 10.1.2.3:5008, ::1, fe80::1%7, [fe80::1%7]:5008 (no prefix), or none";

bool ParseAddressWord(const std::wstring& word, AddressRecord& record) {
    record = AddressRecord{};
    if (word == L"none") return true;
    if (word.find_first_of(std::wstring(L",;\0", 3)) != std::wstring::npos) return false;
    DriverAddressRecord parsed;
    if (ParseDriverAddressText(word.c_str(), &parsed, nullptr, 0) != kAddressTextOk) return false;
    memcpy(record.data(), &parsed, sizeof parsed);
    return true;
}

std::string AddressWord(const AddressRecord& record) {
    DriverAddressRecord driver;
    memcpy(&driver, record.data(), sizeof driver);
    if (driver.family == kSilFamilyEmpty) return "none";
    wchar_t text[kAddressTextCapacity];
    if ((driver.family != kSilFamilyIPv4 && driver.family != kSilFamilyIPv6) ||
        FormatDriverAddressText(&driver, text, kAddressTextCapacity, nullptr, 0) != kAddressTextOk)
        return "family " + std::to_string(driver.family);
    // The grammar's texts are ASCII.
    return std::string(text, text + wcslen(text));
}

}  // namespace qlsim
