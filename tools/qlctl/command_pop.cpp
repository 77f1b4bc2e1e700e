// pop: the network interface that carries the point of presence, with what
// the client reports about it.
#include "address_texts.h"
#include "client_library.h"
#include "client_values.h"
#include "command.h"
#include "output.h"
#include "pop_details_reading.h"
#include "report.h"

namespace qlctl {

namespace {

int Unreadable(const std::string& fault) {
    return Fail(kPopCommand, kExitLibrary, "qlclapi.dll answered with a details record qlctl cannot read: " + fault);
}

int RunPop(const Words& words, ClientLibrary& library) {
    bool json;
    if (int usage = ParseJsonOnly(kPopCommand, words, json)) return usage;
    auto getDetails = QLCTL_EXPORT(library, QuorlanGetPointOfPresenceDetailsEx);
    if (!getDetails) return kExitLibrary;
    auto getNetworkType = QLCTL_EXPORT(library, QuorlanGetPointOfPresenceNetworkType);
    if (!getNetworkType) return kExitLibrary;

    std::vector<unsigned char> buffer;
    size_t filled = 0;
    switch (FetchDetails(getDetails, buffer, filled)) {
    case DetailsFetch::Ok: break;
    case DetailsFetch::None:
        return Fail(kPopCommand, kExitRefused,
                    "no point of presence, or no interface carries it, or the client is not available");
    case DetailsFetch::KeptGrowing:
        return Fail(kPopCommand, kExitRefused, "the interface kept changing while it was read; try again");
    case DetailsFetch::TooLarge:
        return Unreadable("it claims more than " + std::to_string(kMaxDetailsBytes) + " bytes");
    }
    PopDetails details;
    std::string fault = ReadDetails(buffer.data(), filled, details);
    if (!fault.empty()) return Unreadable(fault);
    // A second request: the type may already belong to another interface
    // if the point of presence moved in between; 0 then says so.
    uint32_t networkType = getNetworkType();

    Report report;
    report.optionalText("address", "address", SocketAddressText(details.socketAddress))
        .text("interface_name", "interface name", Utf8(details.name))
        .text("physical_address", "physical address", HexBytes(details.physicalAddress))
        .text("second_text", "second text", Utf8(details.secondText))
        .text("trailing_bytes", "trailing bytes", HexBytes(details.trailingBytes))
        .number("interface_value1", "interface value 1", details.interfaceValue1)
        .number("interface_value2", "interface value 2", details.interfaceValue2)
        .number("interface_value3", "interface value 3", details.interfaceValue3)
        .numberWithWord("network_type", "network type", networkType, "network_type_flag",
                        NetworkTypeMeaning(networkType));
    return PrintLine(kPopCommand, report.render(json));
}

}  // namespace

const Command kPopCommand = {
    L"pop", "print the interface that carries the point of presence", "pop [--json]",
    "  Prints the point-of-presence address and what the client reports about the\n"
    "  network interface that holds it, as it reports it:\n"
    "    address:           10.1.2.3:5008\n"
    "    interface name:    eth0\n"
    "    physical address:  00-1A-2B-3C-4D-5E\n"
    "    second text:       wired\n"
    "    trailing bytes:    DE-AD\n"
    "    interface value 1: 7\n"
    "    interface value 2: 1229801703532086340\n"
    "    interface value 3: 6148933456521300104\n"
    "    network type:      3 (flag 0x10)\n"
    "  The interface values, the second text and the trailing bytes are passed on\n"
    "  from the client unexplained. The network type says which of the interface's\n"
    "  flag bits was set: 3 flag 0x10 (whatever 0x20), 2 flag 0x20, 1 neither;\n"
    "  0 (not available) when the point of presence went away in between.\n"
    "  Empty values show as (empty), control characters as '?'.\n"
    "  Exit code 1 without a point of presence, without an interface that carries\n"
    "  it, or without a client driver.\n"
    "  --json   {\"address\":\"10.1.2.3:5008\",\"interface_name\":\"eth0\",\"interface_value1\":7,\n"
    "            \"interface_value2\":...,\"interface_value3\":...,\"network_type\":3,\n"
    "            \"network_type_flag\":\"flag 0x10\",\"physical_address\":\"00-1A-2B-3C-4D-5E\",\n"
    "            \"second_text\":\"wired\",\"trailing_bytes\":\"DE-AD\"}\n",
    RunPop};

}  // namespace qlctl
