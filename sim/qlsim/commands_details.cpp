// details: the connection details record by its fields (the names of the
// user and the device and their markers) instead of its bytes.
#include <cstdio>

#include "arguments.h"
#include "commands.h"
#include "quoted.h"
#include "sim_control.h"
#include "sim_records.h"

namespace qlsim {

namespace {

const char kUsage[] =
    "usage: qlsim details show [--json]\n"
    "       qlsim details set FIELD VALUE [FIELD VALUE ...]\n"
    "  the connection details record, the answer to 0x22245F (asked in the connected state)\n"
    "  fields:\n"
    "    user TEXT                the user's name: at most 255 characters; 255 fill the\n"
    "                             field with no terminator\n"
    "    device TEXT              the device's name, the same\n"
    "    user-marker N | absent   absent (0xFFFFFFFF) says there is no user\n"
    "    device-marker N | absent absent says there is no device\n"
    "  fields not named keep their value; a record never set reads as zeros (both\n"
    "  markers 0, both names empty)\n";

bool ParseMarker(const std::wstring& text, uint32_t& marker) {
    if (text == L"absent") {
        marker = kSimDetailsAbsent;
        return true;
    }
    return ParseNumber(text, marker);
}

std::string MarkerText(uint32_t marker) {
    return marker == kSimDetailsAbsent ? "absent" : std::to_string(marker);
}

bool ReadDetails(SimControl& control, SimConnectionDetails& details) {
    std::vector<uint8_t> bytes;
    if (!control.getRecord(QLSIM_RECORD_CONNECTION_DETAILS, bytes)) return false;
    details = ReadConnectionDetails(bytes);
    return true;
}

int Show(bool json) {
    SimControl control;
    int exitCode;
    if (!OpenControl(control, exitCode)) return exitCode;
    SimConnectionDetails d;
    if (!ReadDetails(control, d)) return Failed("read the details record", control.lastError());
    if (json) {
        printf("{\"device\":%s,\"device-marker\":%u,\"user\":%s,\"user-marker\":%u}\n", Quoted(d.device).c_str(),
               d.deviceMarker, Quoted(d.user).c_str(), d.userMarker);
    } else {
        printf("user           %s\nuser-marker    %s\ndevice         %s\ndevice-marker  %s\n", Quoted(d.user).c_str(),
               MarkerText(d.userMarker).c_str(), Quoted(d.device).c_str(), MarkerText(d.deviceMarker).c_str());
    }
    return kExitOk;
}

int Set(const Words& words) {
    if (words.empty() || words.size() % 2) return Usage(kUsage);
    SimControl control;
    int exitCode;
    if (!OpenControl(control, exitCode)) return exitCode;
    SimConnectionDetails d;
    if (!ReadDetails(control, d)) return Failed("read the details record", control.lastError());
    for (size_t i = 0; i < words.size(); i += 2) {
        const std::wstring& field = words[i];
        const std::wstring& value = words[i + 1];
        if (field == L"user" || field == L"device") {
            if (value.size() > kSimDetailsNameMaxUnits)
                return Refused("details", "a name has at most 255 characters: " + Quoted(value, kShownUnits));
            (field == L"user" ? d.user : d.device) = std::u16string(value.begin(), value.end());
        } else if (field == L"user-marker" || field == L"device-marker") {
            if (!ParseMarker(value, field == L"user-marker" ? d.userMarker : d.deviceMarker))
                return Refused("details", Quoted(value, kShownUnits) + " is not a marker: a number or absent");
        } else {
            fprintf(stderr, "qlsim details: unknown field %s\n", Quoted(field, kShownUnits).c_str());
            return Usage(kUsage);
        }
    }
    if (!control.setRecord(QLSIM_RECORD_CONNECTION_DETAILS, ConnectionDetailsBytes(d)))
        return Failed("set the details record", control.lastError());
    return kExitOk;
}

}  // namespace

int CommandDetails(const Words& words) {
    if (WantsHelp(words)) return Help(kUsage);
    if (!words.empty() && words[0] == L"show") {
        const bool json = words.size() == 2 && words[1] == L"--json";
        if (words.size() > 2 || (words.size() == 2 && !json)) return Usage(kUsage);
        return Show(json);
    }
    if (!words.empty() && words[0] == L"set") return Set(Words(words.begin() + 1, words.end()));
    return Usage(kUsage);
}

}  // namespace qlsim
