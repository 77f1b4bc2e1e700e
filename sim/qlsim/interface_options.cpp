#include "interface_options.h"

#include <iterator>

#include "address_words.h"
#include "arguments.h"
#include "quoted.h"

namespace qlsim {

const char kInterfaceOptionsHelp[] =
    "    --name NAME          at most 513 characters (required)\n"
    "    --mac 00-1A-2B-3C    physical address, at most 19 bytes\n"
    "    --address ADDRESS    repeatable, at most 83: 10.1.2.3, [fe80::1%7]:5008, none...\n"
    "    --flags N            0x10 or 0x20 give the network type (3, 2; else 1)\n"
    "    --second-text TEXT   at most 34 characters\n"
    "    --trailing HEX       at most 16 bytes, \"0A1B\"\n"
    "    --value4 N  --value16 N  --value5112 N   the entry's numbers at those offsets\n";

namespace {

std::u16string Units(const std::wstring& text) { return std::u16string(text.begin(), text.end()); }

bool Within(size_t size, size_t room, const char* unit, std::string& why) {
    if (size <= room) return true;
    why = "is " + std::to_string(size) + " " + unit + ", the field holds " + std::to_string(room);
    return false;
}

// Each returns false with `why` saying what is wrong with the value.
bool SetName(const std::wstring& v, SimInterface& e, std::string& why) {
    e.name = Units(v);
    return Within(e.name.size(), kSimNameMaxUnits, "characters", why);
}

bool SetSecondText(const std::wstring& v, SimInterface& e, std::string& why) {
    e.secondText = Units(v);
    return Within(e.secondText.size(), kSimSecondTextMaxUnits, "characters", why);
}

bool SetMac(const std::wstring& v, SimInterface& e, std::string& why) {
    if (!ParseHex(v, e.physical, L'-')) {
        why = "is not bytes as 00-1A-2B-3C-4D-5E";
        return false;
    }
    return Within(e.physical.size(), kSimPhysicalMaxBytes, "bytes", why);
}

bool SetTrailing(const std::wstring& v, SimInterface& e, std::string& why) {
    if (!ParseHex(v, e.trailing)) {
        why = "is not bytes as 0A1B2C";
        return false;
    }
    return Within(e.trailing.size(), kSimTrailingMaxBytes, "bytes", why);
}

bool AddAddress(const std::wstring& v, SimInterface& e, std::string& why) {
    AddressRecord address;
    if (!ParseAddressWord(v, address)) {
        why = std::string("is not an address: give one of ") + kAddressForms;
        return false;
    }
    e.addresses.push_back(address);
    return Within(e.addresses.size(), kSimAddressMaxSlots, "addresses", why);
}

bool Number32(const std::wstring& v, uint32_t& value, std::string& why) {
    if (ParseNumber(v, value)) return true;
    why = "is not a number of 32 bits";
    return false;
}

bool Number64(const std::wstring& v, uint64_t& value, std::string& why) {
    if (ParseNumber64(v, value)) return true;
    why = "is not a number of 64 bits";
    return false;
}

struct Option {
    const wchar_t* name;
    bool (*apply)(const std::wstring& value, SimInterface& entry, std::string& why);
    bool repeats;
};

const Option kOptions[] = {
    {L"--name", SetName, false},
    {L"--mac", SetMac, false},
    {L"--address", AddAddress, true},
    {L"--flags", [](const std::wstring& v, SimInterface& e, std::string& why) { return Number32(v, e.flags, why); },
     false},
    {L"--second-text", SetSecondText, false},
    {L"--trailing", SetTrailing, false},
    {L"--value4", [](const std::wstring& v, SimInterface& e, std::string& why) { return Number32(v, e.value4, why); },
     false},
    {L"--value16",
     [](const std::wstring& v, SimInterface& e, std::string& why) { return Number64(v, e.value16, why); }, false},
    {L"--value5112",
     [](const std::wstring& v, SimInterface& e, std::string& why) { return Number64(v, e.value5112, why); },
     false},
};
constexpr size_t kOptionCount = std::size(kOptions);

}  // namespace

bool ParseInterfaceOptions(const Words& words, SimInterface& entry, std::string& why) {
    entry = SimInterface{};
    bool seen[kOptionCount] = {};
    for (size_t i = 0; i < words.size(); i += 2) {
        size_t o = 0;
        while (o < kOptionCount && words[i] != kOptions[o].name) ++o;
        if (o == kOptionCount) {
            why = "unknown option " + Quoted(words[i], kShownUnits);
            return false;
        }
        std::string option(words[i].begin(), words[i].end());
        if (seen[o] && !kOptions[o].repeats) {
            why = option + " given twice";
            return false;
        }
        seen[o] = true;
        if (i + 1 == words.size()) {
            why = option + " needs a value";
            return false;
        }
        if (!kOptions[o].apply(words[i + 1], entry, why)) {
            why = option + " " + Quoted(words[i + 1], kShownUnits) + " " + why;
            return false;
        }
    }
    if (!seen[0]) why = "--name is required";
    return seen[0];
}

}  // namespace qlsim
