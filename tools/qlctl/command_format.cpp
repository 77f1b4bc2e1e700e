// format: an address text written back with the formatter's rules chosen,
// the way the client's configuration and tools can be asked to write it.
#include "address_texts.h"
#include "command.h"
#include "flag_options.h"

namespace qlctl {

namespace {

const FlagOptions kFormatFlags = {
    {{L"--mask-prefix", AddressFormatFlags::IPv4PrefixAsMask},
     {L"--never-prefix", AddressFormatFlags::NeverPrefix},
     {L"--always-prefix", AddressFormatFlags::AlwaysPrefix},
     {L"--never-port", AddressFormatFlags::NeverPort},
     {L"--always-port", AddressFormatFlags::AlwaysPort},
     {L"--brackets", AddressFormatFlags::IPv6AlwaysBrackets}},
    {{L"--never-prefix", L"--always-prefix"},
     {L"--never-prefix", L"--mask-prefix"},
     {L"--never-port", L"--always-port"}},
};

int RunFormat(const Words& words, ClientLibrary&) {
    Arguments arguments;
    std::string problem;
    std::wstring text;
    uint32_t flags = 0;
    if (!kFormatFlags.read(words, arguments, text, flags, problem)) return UsageError(kFormatCommand, problem);
    SilAddressRecord record;
    uint32_t code = ParseAddressText(text.c_str(), &record, nullptr, 0);
    if (code != kAddressTextOk) return Fail(kFormatCommand, kExitRefused, AddressCodeText(code));
    std::string formatted;
    code = FormatRecordText(record, flags, formatted);
    if (code != kAddressTextOk) return Fail(kFormatCommand, kExitRefused, AddressCodeText(code));
    if (arguments.has(L"--json")) return PrintLine(kFormatCommand, JsonObject().addString("text", formatted).text());
    return PrintLine(kFormatCommand, formatted);
}

}  // namespace

const Command kFormatCommand = {
    L"format", "write an address text back with chosen rules",
    "format TEXT [--mask-prefix | --never-prefix | --always-prefix]\n"
    "             [--never-port | --always-port] [--brackets] [--json]",
    "  Reads TEXT as 'qlctl parse TEXT' does and writes it back with the address\n"
    "  formatter of the client library. By default IPv6 is compressed (the first\n"
    "  run of zero groups, not the longest), a zone follows '%', a prefix is left\n"
    "  out when it is /32 or /128 (or /0 beside a non-zero address, port or zone),\n"
    "  a port is written when it is not 0, and IPv6 gets brackets only with a port.\n"
    "  --mask-prefix     IPv4: the prefix as a dotted mask, 10.0.0.0/255.0.0.0\n"
    "  --never-prefix    leave the prefix out\n"
    "  --always-prefix   write the prefix also when it is /32, /128 or /0\n"
    "  --never-port      leave the port out\n"
    "  --always-port     write the port also when it is 0\n"
    "  --brackets        IPv6: brackets also without a port\n"
    "  Exit code 1, with the grammar's code, for a text it refuses.\n"
    "  --json   {\"text\":\"10.0.0.0/255.0.0.0\"}\n",
    RunFormat};

}  // namespace qlctl
