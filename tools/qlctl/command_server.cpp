// server: the configured server address, shown, set or cleared. Changing it
// needs administrator rights; the library's setters report success even
// when the registry refused, so every change is read back.
#include <winsock2.h>
#include <ws2ipdef.h>

#include <cstring>
#include <vector>

#include "address_texts.h"
#include "client_library.h"
#include "command.h"
#include "config/client_key_path.h"
#include "configuration_rights.h"
#include "output.h"
#include "report.h"

namespace qlctl {

namespace {

// Texts longer than this are refused rather than allocated.
constexpr QlUInt32 kLargestText = 1u << 20;

// The stored text, unparsed; false when none is stored.
bool ReadStoredText(ClientLibrary& library, std::wstring& text, bool& libraryFailed) {
    libraryFailed = false;
    auto getByName = QLCTL_EXPORT(library, QuorlanGetServerAddressByName);
    if (!getByName) return libraryFailed = true, false;
    QlUInt32 length = 0;
    if (!getByName(nullptr, &length)) return false;
    if (length > kLargestText) return false;
    std::vector<wchar_t> buffer(length / 2 + 1, 0);
    length = QlUInt32((buffer.size() - 1) * 2);
    if (!getByName(buffer.data(), &length)) return false;
    text.assign(buffer.data());
    return true;
}

// The stored text as one address of either family: its text, or empty.
bool ReadStoredAddress(ClientLibrary& library, std::string& address, std::string& family) {
    auto getEx = QLCTL_EXPORT(library, QuorlanGetServerAddressEx);
    if (!getEx) return false;
    unsigned char socketAddress[kSocketAddressBytes] = {};
    if (!getEx(socketAddress)) return false;
    address = SocketAddressText(socketAddress);
    uint16_t familyWord;
    std::memcpy(&familyWord, socketAddress, sizeof familyWord);
    family = familyWord == AF_INET ? "IPv4" : familyWord == AF_INET6 ? "IPv6" : "";
    return true;
}

int Show(const Words& words, ClientLibrary& library) {
    bool json;
    if (int usage = ParseJsonOnly(kServerCommand, words, json)) return usage;
    std::wstring stored;
    bool libraryFailed;
    const bool hasText = ReadStoredText(library, stored, libraryFailed);
    if (libraryFailed) return kExitLibrary;
    std::string address, family;
    if (!ReadStoredAddress(library, address, family)) return kExitLibrary;
    Report report;
    if (hasText)
        report.text("text", "stored text", Utf8(stored));
    else
        report.optionalText("text", "stored text", "");
    report.optionalText("address", "address", address).optionalText("family", "family", family);
    return PrintLine(kServerCommand, report.render(json));
}

// After a setter: the change is there, or why it is not.
int Confirm(bool changed, const std::string& done) {
    if (changed) return PrintLine(kServerCommand, done);
    if (LacksRightsToChange(reinterpret_cast<const wchar_t*>(qlclapi::kClientParamsPath)))
        return Fail(kServerCommand, kExitRefused, NeedsAdministrator("changing the server address"));
    return Fail(kServerCommand, kExitRefused, "the server address did not change: the library could not store it");
}

int SetText(ClientLibrary& library, const std::wstring& text, const std::string& done) {
    auto setByName = QLCTL_EXPORT(library, QuorlanSetServerAddressByName);
    if (!setByName) return kExitLibrary;
    setByName(text.c_str());
    std::wstring stored;
    bool libraryFailed;
    const bool read = ReadStoredText(library, stored, libraryFailed);
    if (libraryFailed) return kExitLibrary;
    return Confirm(read && stored == text, done);
}

int SetAddress(ClientLibrary& library, const std::wstring& text) {
    SilAddressRecord record;
    if (uint32_t code = ParseAddressText(text.c_str(), &record, nullptr, AddressParseFlags::RejectPrefix))
        return UsageError(kServerCommand, "'" + Utf8(text) + "' is not one address without a prefix length (" +
                                              AddressCodeText(code) + "); use --name for a host name");
    SOCKADDR_INET socketAddress = {};
    CSilAddress(&record).ToSockaddr(&socketAddress, sizeof socketAddress, nullptr);
    unsigned char bytes[kSocketAddressBytes];
    std::memcpy(bytes, &socketAddress, sizeof bytes);
    const std::string wanted = SocketAddressText(bytes);
    auto setEx = QLCTL_EXPORT(library, QuorlanSetServerAddressEx);
    if (!setEx) return kExitLibrary;
    setEx(bytes);
    std::string address, family;
    if (!ReadStoredAddress(library, address, family)) return kExitLibrary;
    return Confirm(address == wanted, "the server address is now " + wanted);
}

int RunServer(const Words& words, ClientLibrary& library) {
    if (words.empty() || (words[0] != L"set" && words[0] != L"clear")) return Show(words, library);
    Arguments arguments;
    std::string problem;
    if (!arguments.parse(Words(words.begin() + 1, words.end()), {{L"--name", true}}, problem))
        return UsageError(kServerCommand, problem);
    const Words& rest = arguments.positionals();
    if (words[0] == L"clear") {
        if (!rest.empty() || arguments.has(L"--name")) return UsageError(kServerCommand, "clear takes no arguments");
        return SetText(library, L"", "the server address is cleared");
    }
    if (const std::wstring* name = arguments.value(L"--name")) {
        if (!rest.empty()) return UsageError(kServerCommand, "give either ADDRESS or --name TEXT");
        return SetText(library, *name, "the server is now '" + Utf8(*name) + "'");
    }
    if (rest.size() != 1) return UsageError(kServerCommand, "set takes one ADDRESS (or --name TEXT)");
    return SetAddress(library, rest[0]);
}

}  // namespace

const Command kServerCommand = {
    L"server", "show, set or clear the configured server address",
    "server [--json] | server set ADDRESS | server set --name TEXT | server clear",
    "  server         prints the stored text and, when it is one address, that\n"
    "                 address and its family:\n"
    "                   stored text: 203.0.113.9:443\n"
    "                   address:     203.0.113.9:443\n"
    "                   family:      IPv4\n"
    "                 'none' when nothing is stored or it is not one address (a\n"
    "                 host name, say); '(empty)' for an empty stored text.\n"
    "  --json         {\"address\":\"203.0.113.9:443\",\"family\":\"IPv4\",\"text\":\"203.0.113.9:443\"}\n"
    "                 (null for none)\n"
    "  set ADDRESS    stores one IPv4 or IPv6 address with an optional port, as\n"
    "                 10.1.2.3, 10.1.2.3:443, 2001:db8::1 or [2001:db8::1]:443; a\n"
    "                 prefix length is refused (exit code 2)\n"
    "  set --name TEXT  stores the text unchanged: a host name, say\n"
    "  clear          stores the empty text: no server configured\n"
    "  Each change also empties the client's address cache and tells the client's\n"
    "  driver when it runs; it needs no driver. Changes need administrator rights:\n"
    "  qlctl reads the configuration back and, when the change is not there,\n"
    "  says whether the registry refused it (exit code 1).\n",
    RunServer};

}  // namespace qlctl
