// addresses: the virtual address, the point of presence and the connected
// server, in the texts the library's ...ExVB twins give.
#include "address_texts.h"
#include "client_library.h"
#include "command.h"
#include "report.h"

namespace qlctl {

namespace {

// A socket address from one Ex export; empty when the call failed.
struct Answer {
    bool answered = false;
    unsigned char socketAddress[kSocketAddressBytes] = {};

    std::string text() const { return answered ? SocketAddressText(socketAddress) : std::string(); }
};

int RunAddresses(const Words& words, ClientLibrary& library) {
    bool json;
    if (int usage = ParseJsonOnly(kAddressesCommand, words, json)) return usage;
    auto getVirtual = QLCTL_EXPORT(library, QuorlanGetVirtualAddressEx);
    if (!getVirtual) return kExitLibrary;
    auto getPresence = QLCTL_EXPORT(library, QuorlanGetPointOfPresenceEx);
    if (!getPresence) return kExitLibrary;
    auto getServer = QLCTL_EXPORT(library, QuorlanGetConnectedServerAddressEx);
    if (!getServer) return kExitLibrary;

    Answer virtualAddress, presence, server;
    QlUInt32 count = 1;  // room for one address; the client has no more
    virtualAddress.answered = getVirtual(virtualAddress.socketAddress, &count) && count >= 1;
    presence.answered = getPresence(presence.socketAddress) != 0;
    server.answered = getServer(server.socketAddress) != 0;
    // The point of presence alone also fails with a driver of another
    // version; only a missing driver fails all three.
    if (!virtualAddress.answered && !presence.answered && !server.answered) return NotAvailable(kAddressesCommand);

    Report report;
    report.optionalText("virtual_address", "virtual address", virtualAddress.text())
        .optionalText("point_of_presence", "point of presence", presence.text())
        .optionalText("connected_server", "connected server", server.text());
    return PrintLine(kAddressesCommand, report.render(json));
}

}  // namespace

const Command kAddressesCommand = {
    L"addresses", "print the virtual, point-of-presence and connected server addresses", "addresses [--json]",
    "  Prints each address as the library's text exports write it: IPv4 dotted,\n"
    "  IPv6 compressed, a zone after '%' and a port after ':' when the client\n"
    "  reports them (an IPv6 address with a port in brackets), never a prefix:\n"
    "    virtual address:   10.8.0.5\n"
    "    point of presence: [fe80::1%7]:5008\n"
    "    connected server:  203.0.113.9:443\n"
    "  'none' when the client has no such address or cannot say (the point of\n"
    "  presence also with a client driver of another version). Exit code 1 only\n"
    "  when the library answers for none of the three (no client driver).\n"
    "  --json   {\"connected_server\":\"203.0.113.9:443\",\"point_of_presence\":null,\n"
    "            \"virtual_address\":\"10.8.0.5\"}   (null for none)\n",
    RunAddresses};

}  // namespace qlctl
