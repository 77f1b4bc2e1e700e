// interface: the driver's table of network interfaces (answer to 0x2224BF)
// built entry by entry instead of as 5232-byte hex images.
#include <cstdio>

#include "arguments.h"
#include "commands.h"
#include "interface_listing.h"
#include "interface_options.h"
#include "sim_control.h"

namespace qlsim {

namespace {

// The driver keeps no record longer than QLSIM_MAX_RECORD_BYTES.
constexpr size_t kMaxInterfaces =
    (QLSIM_MAX_RECORD_BYTES - kSimInterfaceTableHeaderBytes) / kSimInterfaceEntryBytes;

std::string UsageText() {
    return std::string(
               "usage: qlsim interface add --name NAME [OPTIONS]\n"
               "       qlsim interface list [--json]\n"
               "       qlsim interface clear\n"
               "       qlsim interface fill COUNT\n"
               "  add appends an interface to the table the driver answers 0x2224BF with:\n") +
           kInterfaceOptionsHelp +
           "  clear leaves a table of no interfaces; fill replaces the table by COUNT made-up\n"
           "  interfaces (\"Interface N\", 02-00-00-00-00-NN, 192.0.2.N); 16 of them are the\n"
           "  library's first request, 83720 bytes. At most " +
           std::to_string(kMaxInterfaces) + " fit the driver's record limit\n  of " +
           std::to_string(QLSIM_MAX_RECORD_BYTES) + " bytes.\n";
}

int WriteTable(SimControl& control, const std::vector<SimInterface>& interfaces) {
    std::vector<uint8_t> bytes = InterfaceTableBytes(interfaces);
    if (!control.setRecord(QLSIM_RECORD_INTERFACE_TABLE, bytes))
        return Failed("set the interface table", control.lastError());
    return kExitOk;
}

bool ReadTable(SimControl& control, std::vector<uint8_t>& bytes, InterfaceTableReading& table, int& exitCode) {
    if (!control.getRecord(QLSIM_RECORD_INTERFACE_TABLE, bytes)) {
        exitCode = Failed("read the interface table", control.lastError());
        return false;
    }
    table = ReadInterfaceTable(bytes);
    return true;
}

int Add(const Words& options) {
    SimInterface entry;
    std::string why;
    if (!ParseInterfaceOptions(options, entry, why)) return Refused("interface add", why);
    SimControl control;
    std::vector<uint8_t> bytes;
    InterfaceTableReading table;
    int exitCode;
    if (!OpenControl(control, exitCode) || !ReadTable(control, bytes, table, exitCode)) return exitCode;
    // Appending to a table read only in part would silently drop the rest.
    if (!table.fault.empty()) {
        fprintf(stderr,
                "qlsim interface add: the driver's table is not one qlsim can extend (%s);\n"
                "  'qlsim interface clear' starts a new one\n",
                table.fault.c_str());
        return kExitFailed;
    }
    if (table.interfaces.size() >= kMaxInterfaces) {
        fprintf(stderr, "qlsim interface add: the table already holds %u interfaces, all that fit the driver's "
                        "record limit\n", unsigned(kMaxInterfaces));
        return kExitFailed;
    }
    table.interfaces.push_back(entry);
    return WriteTable(control, table.interfaces);
}

int List(bool json) {
    SimControl control;
    std::vector<uint8_t> bytes;
    InterfaceTableReading table;
    int exitCode;
    if (!OpenControl(control, exitCode) || !ReadTable(control, bytes, table, exitCode)) return exitCode;
    PrintInterfaces(table, bytes.size(), json);
    if (!table.fault.empty() && !json)
        fprintf(stderr, "qlsim interface list: the table is not well formed: %s\n", table.fault.c_str());
    return kExitOk;
}

std::vector<SimInterface> MadeUpInterfaces(uint32_t count) {
    std::vector<SimInterface> interfaces(count);
    for (uint32_t i = 0; i < count; ++i) {
        uint8_t number = uint8_t(i + 1);  // count is at most kMaxInterfaces
        std::string name = "Interface " + std::to_string(number);
        interfaces[i].name.assign(name.begin(), name.end());
        interfaces[i].physical = {0x02, 0, 0, 0, 0, number};
        interfaces[i].addresses = {IPv4Record(192, 0, 2, number)};
        interfaces[i].value4 = number;
    }
    return interfaces;
}

int Fill(const std::wstring& word) {
    uint32_t count;
    if (!ParseNumber(word, count)) return Refused("interface fill", "COUNT must be a number");
    if (count > kMaxInterfaces)
        return Refused("interface fill", std::to_string(count) +
                                             " interfaces would not fit the driver's record limit of " +
                                             std::to_string(QLSIM_MAX_RECORD_BYTES) + " bytes; at most " +
                                             std::to_string(kMaxInterfaces) + " do");
    SimControl control;
    int exitCode;
    if (!OpenControl(control, exitCode)) return exitCode;
    return WriteTable(control, MadeUpInterfaces(count));
}

}  // namespace

static_assert(kMaxInterfaces < 255, "made-up interfaces number their bytes 1..count");

int CommandInterface(const Words& words) {
    if (WantsHelp(words)) return Help(UsageText().c_str());
    const std::wstring action = words.empty() ? L"" : words[0];
    if (action == L"add") return Add(Words(words.begin() + 1, words.end()));
    if (action == L"list" && words.size() <= 2) {
        bool json = words.size() == 2 && words[1] == L"--json";
        if (words.size() == 2 && !json) return Usage(UsageText().c_str());
        return List(json);
    }
    if (action == L"clear" && words.size() == 1) {
        SimControl control;
        int exitCode;
        if (!OpenControl(control, exitCode)) return exitCode;
        return WriteTable(control, {});
    }
    if (action == L"fill" && words.size() == 2) return Fill(words[1]);
    return Usage(UsageText().c_str());
}

}  // namespace qlsim
