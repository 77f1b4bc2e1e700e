// record: the byte records the driver answers with or keeps.
#include <cstdio>
#include <fstream>
#include <iterator>

#include "arguments.h"
#include "commands.h"
#include "sim_control.h"

namespace qlsim {

namespace {

struct RecordName {
    const wchar_t* name;
    uint32_t id;
};

const RecordName kRecords[] = {
    {L"details", QLSIM_RECORD_CONNECTION_DETAILS}, {L"virtual", QLSIM_RECORD_VIRTUAL_ADDRESS},
    {L"servers", QLSIM_RECORD_SERVER_ADDRESSES},   {L"interfaces", QLSIM_RECORD_INTERFACE_TABLE},
    {L"credential", QLSIM_RECORD_CREDENTIAL},      {L"condition", QLSIM_RECORD_CONDITION},
};

const char* kUsage =
    "usage: qlsim record get NAME\n"
    "       qlsim record set NAME HEX | --file PATH\n"
    "  NAME: details (answer to 0x22245F), virtual (0x22241F), servers (0x22250F),\n"
    "        interfaces (0x2224BF), credential (last 0x22283B), condition (last 0x22283F)\n"
    "  get prints the record as hexadecimal, 32 bytes a line\n";

bool FindRecord(const std::wstring& name, uint32_t& id) {
    for (const auto& r : kRecords)
        if (name == r.name) {
            id = r.id;
            return true;
        }
    return false;
}

bool ReadFileBytes(const std::wstring& path, std::vector<uint8_t>& bytes) {
    std::string narrow(path.begin(), path.end());
    std::ifstream in(narrow, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

}  // namespace

int CommandRecord(const Words& words) {
    uint32_t id;
    if (WantsHelp(words) || words.size() < 2 || !FindRecord(words[1], id)) return HelpOrUsage(words, kUsage);
    SimControl control;
    int exitCode;
    if (words[0] == L"get" && words.size() == 2) {
        if (!OpenControl(control, exitCode)) return exitCode;
        std::vector<uint8_t> bytes;
        if (!control.getRecord(id, bytes)) return Failed("read the record", control.lastError());
        for (size_t i = 0; i < bytes.size(); ++i) printf("%02X%s", bytes[i], (i % 32 == 31) ? "\n" : "");
        if (bytes.size() % 32) printf("\n");
        return kExitOk;
    }
    std::vector<uint8_t> bytes;
    if (words[0] == L"set" && words.size() == 3) {
        if (!ParseHex(words[2], bytes)) return Usage(kUsage);
    } else if (words[0] == L"set" && words.size() == 4 && words[2] == L"--file") {
        if (!ReadFileBytes(words[3], bytes)) {
            fprintf(stderr, "qlsim record: cannot read %ls\n", words[3].c_str());
            return kExitUsage;
        }
    } else {
        return Usage(kUsage);
    }
    if (!OpenControl(control, exitCode)) return exitCode;
    if (!control.setRecord(id, bytes)) return Failed("set the record", control.lastError());
    return kExitOk;
}

}  // namespace qlsim
