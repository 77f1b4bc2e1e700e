// address: the virtual, connected-server and point-of-presence addresses the
// driver answers with, as text instead of record bytes.
#include <algorithm>
#include <cstdio>
#include <iterator>
#include <map>

#include "address_words.h"
#include "commands.h"
#include "quoted.h"
#include "sim_control.h"

namespace qlsim {

namespace {

// Where each address lives: the server and point-of-presence records share
// one 56-byte record, so setting one half must keep the other.
struct AddressPlace {
    const wchar_t* name;
    uint32_t record;
    size_t recordBytes, offset, bytes;
};

const AddressPlace kPlaces[] = {
    {L"virtual", QLSIM_RECORD_VIRTUAL_ADDRESS, 24, 0, 24},
    {L"server", QLSIM_RECORD_SERVER_ADDRESSES, 56, 0, 28},
    {L"pop", QLSIM_RECORD_SERVER_ADDRESSES, 56, 28, 28},
};

const char kUsage[] =
    "usage: qlsim address virtual | server | pop ADDRESS | none\n"
    "       qlsim address show [--json]\n"
    "  virtual: the client's virtual address (answer to 0x22241F, 24 bytes; the\n"
    "           library drops its port)\n"
    "  server:  the connected server, first half of the answer to 0x22250F\n"
    "  pop:     the point of presence, second half; the other half is kept\n"
    "  ADDRESS: 10.1.2.3, 10.1.2.3:5008, ::1, fe80::1%7, [fe80::1%7]:5008 (no prefix),\n"
    "           read as the platform reads addresses; none clears it (family 0)\n"
    "  show prints the three as the platform writes addresses, \"none\" for family 0\n";

const AddressPlace* FindPlace(const std::wstring& name) {
    for (const auto& p : kPlaces)
        if (name == p.name) return &p;
    return nullptr;
}

// The record as the driver answers with it: a shorter one zero-padded, a
// longer one cut.
bool ReadPadded(SimControl& control, const AddressPlace& place, std::vector<uint8_t>& bytes) {
    if (!control.getRecord(place.record, bytes)) return false;
    bytes.resize(place.recordBytes);
    return true;
}

int SetAddress(const AddressPlace& place, const std::wstring& word) {
    AddressRecord address;
    if (!ParseAddressWord(word, address))
        return Refused("address", Quoted(word, kShownUnits) + " is not an address: give one of " + kAddressForms);
    SimControl control;
    int exitCode;
    if (!OpenControl(control, exitCode)) return exitCode;
    std::vector<uint8_t> bytes;
    if (!ReadPadded(control, place, bytes)) return Failed("read the address record", control.lastError());
    std::copy(address.begin(), address.begin() + place.bytes, bytes.begin() + place.offset);
    if (!control.setRecord(place.record, bytes))
        return Failed("set the address record", control.lastError());
    return kExitOk;
}

int ShowAddresses(bool json) {
    SimControl control;
    int exitCode;
    if (!OpenControl(control, exitCode)) return exitCode;
    std::string texts[std::size(kPlaces)];
    // The server and point-of-presence halves come from one read, so they
    // show one moment of the driver.
    std::map<uint32_t, std::vector<uint8_t>> records;
    for (size_t i = 0; i < std::size(kPlaces); ++i) {
        std::vector<uint8_t>& bytes = records[kPlaces[i].record];
        if (bytes.empty() && !ReadPadded(control, kPlaces[i], bytes))
            return Failed("read the address record", control.lastError());
        AddressRecord address{};
        std::copy(bytes.begin() + kPlaces[i].offset, bytes.begin() + kPlaces[i].offset + kPlaces[i].bytes,
                  address.begin());
        texts[i] = AddressWord(address);
    }
    if (json) {
        printf("{\"pop\":\"%s\",\"server\":\"%s\",\"virtual\":\"%s\"}\n", texts[2].c_str(), texts[1].c_str(),
               texts[0].c_str());
    } else {
        for (size_t i = 0; i < std::size(kPlaces); ++i)
            printf("%-8ls %s\n", kPlaces[i].name, texts[i].c_str());
    }
    return kExitOk;
}

}  // namespace

int CommandAddress(const Words& words) {
    if (WantsHelp(words)) return Help(kUsage);
    if (!words.empty() && words[0] == L"show") {
        bool json = words.size() == 2 && words[1] == L"--json";
        if (words.size() > 2 || (words.size() == 2 && !json)) return Usage(kUsage);
        return ShowAddresses(json);
    }
    const AddressPlace* place = words.size() == 2 ? FindPlace(words[0]) : nullptr;
    if (!place) return Usage(kUsage);
    return SetAddress(*place, words[1]);
}

}  // namespace qlsim
