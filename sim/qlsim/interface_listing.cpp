#include "interface_listing.h"

#include <cstdio>
#include <string>

#include "address_words.h"
#include "arguments.h"
#include "quoted.h"

namespace qlsim {

namespace {

std::string Unsigned(uint64_t value) { return std::to_string(value); }

// An empty field would leave a gap that reads as the next field's value.
std::string Shown(const std::string& bytes) { return bytes.empty() ? "none" : bytes; }

void PrintJson(const InterfaceTableReading& table, size_t tableBytes) {
    // Members in ascending order of their names, as "qlsim show --json".
    std::string out = "{\"bytes\":" + Unsigned(tableBytes) + ",\"fault\":";
    out += table.fault.empty() ? "null" : Quoted(std::wstring(table.fault.begin(), table.fault.end()));
    out += ",\"interfaces\":[";
    for (size_t i = 0; i < table.interfaces.size(); ++i) {
        const SimInterface& e = table.interfaces[i];
        out += i ? ",{\"addresses\":[" : "{\"addresses\":[";
        for (size_t a = 0; a < e.addresses.size(); ++a)
            out += (a ? ",\"" : "\"") + AddressWord(e.addresses[a]) + "\"";
        out += "],\"flags\":" + Unsigned(e.flags) + ",\"mac\":\"" + HexBytes(e.physical, "-") +
               "\",\"name\":" + Quoted(e.name) + ",\"second-text\":" + Quoted(e.secondText) + ",\"trailing\":\"" +
               HexBytes(e.trailing) + "\",\"value16\":" + Unsigned(e.value16) + ",\"value4\":" +
               Unsigned(e.value4) + ",\"value5112\":" + Unsigned(e.value5112) + "}";
    }
    puts((out + "]}").c_str());
}

void PrintText(const InterfaceTableReading& table, size_t tableBytes) {
    printf("%s interfaces in %s bytes\n", Unsigned(table.interfaces.size()).c_str(), Unsigned(tableBytes).c_str());
    for (size_t i = 0; i < table.interfaces.size(); ++i) {
        const SimInterface& e = table.interfaces[i];
        printf("%s %s\n", Unsigned(i + 1).c_str(), Quoted(e.name).c_str());
        printf("  flags 0x%08X  value4 %s  value16 %s  value5112 %s\n", e.flags, Unsigned(e.value4).c_str(),
               Unsigned(e.value16).c_str(), Unsigned(e.value5112).c_str());
        printf("  mac %s  trailing %s  second-text %s\n", Shown(HexBytes(e.physical, "-")).c_str(),
               Shown(HexBytes(e.trailing)).c_str(), Quoted(e.secondText).c_str());
        for (const auto& address : e.addresses) printf("  address %s\n", AddressWord(address).c_str());
    }
}

}  // namespace

void PrintInterfaces(const InterfaceTableReading& table, size_t tableBytes, bool json) {
    if (json) {
        PrintJson(table, tableBytes);
    } else {
        PrintText(table, tableBytes);
    }
}

}  // namespace qlsim
