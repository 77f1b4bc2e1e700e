// parse: an address text as the client's grammar reads it, field by field.
#include "address_texts.h"
#include "command.h"
#include "flag_options.h"
#include "output.h"
#include "report.h"

namespace qlctl {

namespace {

const FlagOptions kParseFlags = {
    {{L"--reject-ipv6", AddressParseFlags::RejectIPv6},
     {L"--reject-ipv4", AddressParseFlags::RejectIPv4},
     {L"--reject-prefix", AddressParseFlags::RejectPrefix},
     {L"--require-prefix", AddressParseFlags::RequirePrefix},
     {L"--reject-port", AddressParseFlags::RejectPort},
     {L"--require-port", AddressParseFlags::RequirePort}},
    {{L"--reject-ipv6", L"--reject-ipv4"},
     {L"--reject-prefix", L"--require-prefix"},
     {L"--reject-port", L"--require-port"}},
};

uint32_t Parse(const std::wstring& text, uint32_t flags, SilAddressRecord& record) {
    return ParseAddressText(text.c_str(), &record, nullptr, flags);
}

// The grammar gives one code for every refusal. When the text would pass
// without options, name the options that refuse it on their own.
std::string Blame(const Arguments& arguments, const std::wstring& text) {
    SilAddressRecord record;
    if (Parse(text, 0, record) != kAddressTextOk) return {};
    std::string names;
    for (const FlagOption& option : kParseFlags.options)
        if (arguments.has(option.name) && Parse(text, option.bit, record) != kAddressTextOk)
            names += (names.empty() ? "" : ", ") + Utf8(option.name);
    return names.empty() ? names : " with " + names;
}

// The address without zone, prefix and port.
std::string BareAddress(SilAddressRecord record) {
    if (record.family == kSilFamilyIPv6) record.v6.scopeId = 0;
    std::string text;
    FormatRecordText(record, AddressFormatFlags::NeverPrefix | AddressFormatFlags::NeverPort, text);
    return text;
}

int RunParse(const Words& words, ClientLibrary&) {
    Arguments arguments;
    std::string problem;
    std::wstring text;
    uint32_t flags = 0;
    if (!kParseFlags.read(words, arguments, text, flags, problem)) return UsageError(kParseCommand, problem);
    SilAddressRecord record;
    uint32_t code = Parse(text, flags, record);
    if (code != kAddressTextOk)
        return Fail(kParseCommand, kExitRefused, AddressCodeText(code) + Blame(arguments, text));
    std::string formatted;
    code = FormatRecordText(record, 0, formatted);
    if (code != kAddressTextOk)
        return Fail(kParseCommand, kExitRefused, "it parses, but does not format back: " + AddressCodeText(code));

    CSilAddress address(&record);
    Report report;
    report.text("family", "family", address.IsIPv4() ? "ipv4" : "ipv6")
        .text("address", "address", BareAddress(record))
        .number("port", "port", address.Port());
    if (address.IsIPv6()) report.number("zone", "zone", record.v6.scopeId);
    report.number("prefix", "prefix length", address.PrefixLength()).text("text", "formatted", formatted);
    return PrintLine(kParseCommand, report.render(arguments.has(L"--json")));
}

}  // namespace

const Command kParseCommand = {
    L"parse", "read an address text as the client does",
    "parse TEXT [--reject-ipv6 | --reject-ipv4] [--reject-prefix | --require-prefix]\n"
    "             [--reject-port | --require-port] [--json]",
    "  Reads TEXT with the address grammar of the client library (built into\n"
    "  qlctl: no client or library needed) and prints what it holds:\n"
    "    family:        ipv6\n"
    "    address:       fe80::1\n"
    "    port:          443\n"
    "    zone:          3\n"
    "    prefix length: 64\n"
    "    formatted:     [fe80::1%3/64]:443\n"
    "  Accepted: dotted IPv4 with an optional /prefix (a length or a dotted mask)\n"
    "  and :port, '1.2.3.4/8:80'; IPv6 with '::', a dotted IPv4 tail, a decimal\n"
    "  zone after '%', a /prefix, and brackets with a :port after them. A ',' or\n"
    "  ';' ends the text; what follows is not read. Port 0 means none; without a\n"
    "  prefix the length is 32 or 128; zone only for IPv6. 'formatted' is the text\n"
    "  written back with the library's default rules (see qlctl format).\n"
    "  The options refuse texts of a family, with or without a prefix or port.\n"
    "  Exit code 1, with the grammar's code, for a text it refuses:\n"
    "    qlctl parse: 0x80150008 not a valid address text\n"
    "  --json   {\"address\":\"fe80::1\",\"family\":\"ipv6\",\"port\":443,\"prefix\":64,\n"
    "            \"text\":\"[fe80::1%3/64]:443\",\"zone\":3}\n",
    RunParse};

}  // namespace qlctl
