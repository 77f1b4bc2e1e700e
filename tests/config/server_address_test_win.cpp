// The configured server address: every setter stores its text as VmsAddress,
// empties VmsCache and tells the driver once; every getter reads the stored
// text back, from well-formed texts to hostile values. reg.exe is the
// independent reader of what was written.
#include <gtest/gtest.h>

#include <winsock2.h>
#include <ws2ipdef.h>
#include <oleauto.h>

#include <cstring>
#include <functional>

#include "qlclapi.h"
#include "support/bstr_text.h"
#include "support/client_config.h"

namespace qltest {
namespace {

using Lines = std::vector<std::string>;
const wchar_t* const kParams = qlsim::kClientParamsKey;

// A port as the socket structures keep it: network byte order.
constexpr uint16_t Net16(uint16_t port) { return uint16_t(port >> 8 | port << 8); }

uint32_t Stored(uint8_t a, uint8_t b, uint8_t c, uint8_t d) { return uint32_t(a | b << 8 | c << 16 | d << 24); }

SOCKADDR_IN6 IPv6(std::initializer_list<uint8_t> head, uint8_t last, uint16_t port, uint32_t scope) {
    SOCKADDR_IN6 address = {};
    address.sin6_family = AF_INET6;
    address.sin6_port = Net16(port);
    std::copy(head.begin(), head.end(), address.sin6_addr.s6_addr);
    address.sin6_addr.s6_addr[15] = last;
    address.sin6_scope_id = scope;
    return address;
}

class ServerAddress : public ClientConfigTest {
protected:
    // The text VB callers read back: ANSI bytes from the BSTR, or "<0>".
    std::string viaBstr(const std::function<QlUInt32(QlBstr*)>& call) {
        BSTR text = SysAllocString(L"unchanged");
        std::string result = call(&text) ? AnsiOf(text) : "<0>";
        SysFreeString(text);
        return result;
    }
};

// ---- Setters ------------------------------------------------------------

struct SetterCase {
    const char* name;
    std::function<QlUInt32(Library&)> call;
    const char* stored;  // VmsAddress as reg.exe shows it
};

void PrintTo(const SetterCase& c, std::ostream* out) { *out << c.name; }

const SOCKADDR_IN kIPv4Socket = {AF_INET, Net16(443), {{{203, 0, 113, 9}}}, {}};
const SOCKADDR_IN6 kIPv6Socket = IPv6({0x20, 0x01, 0x0d, 0xb8}, 1, 443, 0);
const SOCKADDR_IN6 kLinkLocalSocket = IPv6({0xfe, 0x80}, 1, 0, 7);
const SOCKADDR_IN kOtherFamily = {99, Net16(443), {{{203, 0, 113, 9}}}, {}};

template <typename Pfn>
Pfn Get(Library& library, const char* name) {
    Pfn entry = library.get<Pfn>(name);
    EXPECT_NE(entry, nullptr) << name;
    return entry;
}
#define CALL(name, ...) [](Library& l) { return Get<PFN_##name>(l, #name)(__VA_ARGS__); }

const SetterCase kSetters[] = {
    {"IPv4AndPort", CALL(QuorlanSetServerAddress, Stored(203, 0, 113, 9), Net16(443)), "REG_SZ 203.0.113.9:443"},
    {"IPv4AndPortVB", CALL(QuorlanSetServerAddressVB, Stored(203, 0, 113, 9), Net16(443)), "REG_SZ 203.0.113.9:443"},
    {"IPv4NoPort", CALL(QuorlanSetServerAddress, Stored(10, 1, 2, 3), 0), "REG_SZ 10.1.2.3"},
    {"SocketIPv4", CALL(QuorlanSetServerAddressEx, &kIPv4Socket), "REG_SZ 203.0.113.9:443"},
    {"SocketIPv6", CALL(QuorlanSetServerAddressEx, &kIPv6Socket), "REG_SZ [2001:db8::1]:443"},
    {"SocketIPv6Zone", CALL(QuorlanSetServerAddressEx, &kLinkLocalSocket), "REG_SZ fe80::1%7"},
    {"SocketNull", CALL(QuorlanSetServerAddressEx, nullptr), "REG_SZ "},
    {"SocketOtherFamily", CALL(QuorlanSetServerAddressEx, &kOtherFamily), "REG_SZ "},
    {"TextPrefixDropped", CALL(QuorlanSetServerAddressExVB, "10.1.2.3/8:5008"), "REG_SZ 10.1.2.3:5008"},
    {"TextIPv6Zone", CALL(QuorlanSetServerAddressExVB, "[fe80::1%3]:443"), "REG_SZ [fe80::1%3]:443"},
    {"ByName", CALL(QuorlanSetServerAddressByName, L"vpn.example.com"), "REG_SZ vpn.example.com"},
    {"ByNameNull", CALL(QuorlanSetServerAddressByName, nullptr), "REG_SZ "},
    {"ByNameVB", CALL(QuorlanSetServerAddressByNameVB, "vpn.example.com"), "REG_SZ vpn.example.com"},
    {"ByNameVBNull", CALL(QuorlanSetServerAddressByNameVB, nullptr), "REG_SZ "},
};

class Setter : public ServerAddress, public testing::WithParamInterface<SetterCase> {};

TEST_P(Setter, StoresTheTextEmptiesTheCacheAndTellsTheDriverOnce) {
    // A longer cache of three pieces: only the first unused piece name is
    // deleted, later stale ones stay (and are never read).
    ASSERT_EQ(qlsim::WriteChunked(kParams, L"VmsCache", qlsim::PatternBytes(2 * 65536 + 9)), 0u);
    WriteUnits(kParams, L"VmsCache__2", L"stale");
    ASSERT_EQ(GetParam().call(library()), 1u);
    EXPECT_EQ(RegQuery(kParams, L"VmsAddress"), GetParam().stored);
    EXPECT_EQ(RegQuery(kParams, L"VmsCache"), "REG_BINARY ");
    EXPECT_FALSE(ValueExists(kParams, L"VmsCache__0"));
    EXPECT_TRUE(ValueExists(kParams, L"VmsCache__1"));
    EXPECT_EQ(takeRequests(), Lines{"0x2225A3 sync"});
}

INSTANTIATE_TEST_SUITE_P(Each, Setter, testing::ValuesIn(kSetters),
                         [](const testing::TestParamInfo<SetterCase>& info) { return std::string(info.param.name); });

TEST_F(ServerAddress, TextThatIsNotOneAddressStoresNothingAndTellsNobody) {
    QL_EXPORT(library(), QuorlanSetServerAddressExVB);
    ASSERT_EQ(qlsim::WriteText(kParams, L"VmsAddress", L"10.9.9.9"), 0u);
    ASSERT_EQ(qlsim::WriteChunked(kParams, L"VmsCache", {1, 2, 3}), 0u);
    for (const char* text : {"vpn.example.com", "", "10.1.2.3:99999", "300.1.2.3", "10.1.2.3/8/9", static_cast<const char*>(nullptr)})
        EXPECT_EQ(QuorlanSetServerAddressExVB(text), 0u) << (text ? text : "null");
    EXPECT_EQ(RegQuery(kParams, L"VmsAddress"), "REG_SZ 10.9.9.9");
    EXPECT_EQ(RegQuery(kParams, L"VmsCache"), "REG_BINARY 010203");
    EXPECT_EQ(takeRequests(), Lines{});
}

TEST_F(ServerAddress, SettersCreateAMissingParametersKey) {
    QL_EXPORT(library(), QuorlanSetServerAddressByName);
    DeleteKeyTree(kParams);
    EXPECT_EQ(QuorlanSetServerAddressByName(L"vpn.example.com"), 1u);
    EXPECT_EQ(RegQuery(kParams, L"VmsAddress"), "REG_SZ vpn.example.com");
    EXPECT_EQ(RegQuery(kParams, L"VmsCache"), "REG_BINARY ");
}

// ---- Getters ------------------------------------------------------------

struct GetterCase {
    const char* name;
    DWORD type;
    std::wstring units;   // as stored; L"<none>" for no value
    uint32_t address;     // QuorlanGetServerAddress
    uint16_t port;
    const char* text;     // QuorlanGetServerAddressExVB
    std::string byName;   // QuorlanGetServerAddressByNameVB, "<0>" for failure
    uint32_t byNameBytes; // the length QuorlanGetServerAddressByName reports, 0 for failure
};

void PrintTo(const GetterCase& c, std::ostream* out) { *out << c.name; }

const std::wstring kPad66(66, L'x');
const std::wstring k79 = L"10.1.2.3:443;" + kPad66;  // 79 characters; the grammar stops at ';'
const std::string k79Text = "10.1.2.3:443;" + std::string(66, 'x');

const GetterCase kGetters[] = {
    {"IPv4", REG_SZ, std::wstring(L"203.0.113.9:443") + L'\0', Stored(203, 0, 113, 9), Net16(443), "203.0.113.9:443",
     "203.0.113.9:443", 32},
    {"IPv6", REG_SZ, std::wstring(L"[2001:db8::1]:443") + L'\0', 0, 0, "[2001:db8::1]:443", "[2001:db8::1]:443", 36},
    {"HostName", REG_SZ, std::wstring(L"vpn.example.com") + L'\0', 0, 0, "", "vpn.example.com", 32},
    {"Empty", REG_SZ, std::wstring(1, L'\0'), 0, 0, "", "", 2},
    {"Prefix", REG_SZ, std::wstring(L"10.1.2.3/8") + L'\0', 0, 0, "", "10.1.2.3/8", 22},
    {"Chars79", REG_SZ, k79 + L'\0', Stored(10, 1, 2, 3), Net16(443), "10.1.2.3:443", k79Text, 160},
    {"Chars80", REG_SZ, k79 + L"x" + L'\0', 0, 0, "", k79Text + "x", 162},
    {"Chars81", REG_SZ, k79 + L"xx" + L'\0', 0, 0, "", k79Text + "xx", 164},
    // Without a terminator: repaired when room is left, 80 units never are.
    {"Unterminated", REG_SZ, L"10.1.2.3", Stored(10, 1, 2, 3), 0, "10.1.2.3", "10.1.2.3", 18},
    {"Chars80Unterminated", REG_SZ, k79 + L"x", 0, 0, "", k79Text + "x", 162},
    {"ExpandString", REG_EXPAND_SZ, std::wstring(L"10.1.2.3") + L'\0', Stored(10, 1, 2, 3), 0, "10.1.2.3", "10.1.2.3", 18},
    {"Number", REG_DWORD, std::wstring(L"\x3031\x3032", 2), 0, 0, "", "<0>", 0},
    {"Binary", REG_BINARY, std::wstring(L"10.1.2.3") + L'\0', 0, 0, "", "<0>", 0},
    {"Missing", REG_SZ, L"<none>", 0, 0, "", "<0>", 0},
};

class Getter : public ServerAddress, public testing::WithParamInterface<GetterCase> {};

TEST_P(Getter, ReadsTheStoredTextAsTheFormAsks) {
    const GetterCase& c = GetParam();
    if (c.units == L"<none>")
        qlsim::RemoveValue(kParams, L"VmsAddress");
    else
        WriteUnits(kParams, L"VmsAddress", c.units, c.type);
    QL_EXPORT(library(), QuorlanGetServerAddress);
    QL_EXPORT(library(), QuorlanGetServerAddressVB);
    QL_EXPORT(library(), QuorlanGetServerAddressEx);
    QL_EXPORT(library(), QuorlanGetServerAddressExVB);
    QL_EXPORT(library(), QuorlanGetServerAddressByName);
    QL_EXPORT(library(), QuorlanGetServerAddressByNameVB);

    QlUInt32 address = 0xEEEEEEEE, addressVB = 0xEEEEEEEE;
    QlUInt16 port = 0xEEEE, portVB = 0xEEEE;
    EXPECT_EQ(QuorlanGetServerAddress(&address, &port), 1u);
    EXPECT_EQ(QuorlanGetServerAddressVB(&addressVB, &portVB), 1u);
    EXPECT_EQ(address, c.address);
    EXPECT_EQ(port, c.port);
    EXPECT_EQ(addressVB, c.address);
    EXPECT_EQ(portVB, c.port);

    unsigned char socketAddress[30];
    std::memset(socketAddress, 0xEE, sizeof socketAddress);
    EXPECT_EQ(QuorlanGetServerAddressEx(socketAddress), 1u);
    EXPECT_EQ(socketAddress[28], 0xEE) << "written past 28 bytes";
    if (!*c.text) {
        for (int i = 0; i < 28; ++i) EXPECT_EQ(socketAddress[i], 0) << i;
    }
    EXPECT_EQ(viaBstr(QuorlanGetServerAddressExVB), c.text);
    EXPECT_EQ(viaBstr(QuorlanGetServerAddressByNameVB), c.byName);

    // The plain by-name form: a size query, then a fetch with that size.
    QlUInt32 length = 0xEEEE;
    EXPECT_EQ(QuorlanGetServerAddressByName(nullptr, &length), c.byNameBytes ? 1u : 0u);
    if (c.byNameBytes) {
        EXPECT_GE(length, c.byNameBytes);
        std::vector<wchar_t> buffer(length / 2 + 1, L'#');
        QlUInt32 room = length;
        EXPECT_EQ(QuorlanGetServerAddressByName(buffer.data(), &room), 1u);
        EXPECT_EQ(room, c.byNameBytes);
        EXPECT_EQ(buffer[length / 2], L'#') << "written past the length";
        std::wstring text(buffer.data());
        EXPECT_EQ(std::string(text.begin(), text.end()), c.byName);
    } else {
        EXPECT_EQ(length, 0u);
    }
}

INSTANTIATE_TEST_SUITE_P(Each, Getter, testing::ValuesIn(kGetters),
                         [](const testing::TestParamInfo<GetterCase>& info) { return std::string(info.param.name); });

TEST_F(ServerAddress, ByNameBuffersOfEveryShape) {
    QL_EXPORT(library(), QuorlanGetServerAddressByName);
    ASSERT_EQ(qlsim::WriteText(kParams, L"VmsAddress", L"vpn.example.com"), 0u);  // 32 bytes with the terminator
    const struct {
        const char* name;
        QlUInt32 length;
        QlUInt32 result, after;
        const wchar_t* text;  // the buffer's text afterwards
    } cases[] = {{"Exact", 32, 1, 32, L"vpn.example.com"},
                 {"OddLarger", 33, 1, 32, L"vpn.example.com"},
                 {"OneUnitShort", 30, 0, 0, L""},       // no needed size, no text
                 {"OddShort", 31, 0, 0, L""},
                 {"OneByte", 1, 0, 0, L"#"},            // too small even for the terminator
                 {"Zero", 0, 0, 0, L"#"}};
    for (const auto& c : cases) {
        std::vector<wchar_t> buffer(20, L'#');
        buffer[19] = 0;
        QlUInt32 length = c.length;
        EXPECT_EQ(QuorlanGetServerAddressByName(buffer.data(), &length), c.result) << c.name;
        EXPECT_EQ(length, c.after) << c.name;
        EXPECT_EQ(std::wstring(buffer.data()).substr(0, wcslen(c.text)), c.text) << c.name;
        if (!*c.text) {
            EXPECT_EQ(buffer[0], 0) << c.name;
        }
        EXPECT_EQ(buffer[16], L'#') << c.name << ": written past the text";
    }
    EXPECT_EQ(QuorlanGetServerAddressByName(nullptr, nullptr), 0u);
    wchar_t untouched[2] = {L'#', 0};
    EXPECT_EQ(QuorlanGetServerAddressByName(untouched, nullptr), 0u);
    EXPECT_EQ(untouched[0], L'#');
}

TEST_F(ServerAddress, NullOutPointersGiveZero) {
    QL_EXPORT(library(), QuorlanGetServerAddress);
    QL_EXPORT(library(), QuorlanGetServerAddressVB);
    QL_EXPORT(library(), QuorlanGetServerAddressEx);
    QL_EXPORT(library(), QuorlanGetServerAddressExVB);
    QL_EXPORT(library(), QuorlanGetServerAddressByNameVB);
    ASSERT_EQ(qlsim::WriteText(kParams, L"VmsAddress", L"10.1.2.3:443"), 0u);
    QlUInt32 address = 0;
    EXPECT_EQ(QuorlanGetServerAddress(nullptr, nullptr), 0u);
    EXPECT_EQ(QuorlanGetServerAddressVB(nullptr, nullptr), 0u);
    EXPECT_EQ(QuorlanGetServerAddress(&address, nullptr), 1u);  // the port may be null
    EXPECT_EQ(address, Stored(10, 1, 2, 3));
    EXPECT_EQ(QuorlanGetServerAddressEx(nullptr), 0u);
    EXPECT_EQ(QuorlanGetServerAddressExVB(nullptr), 0u);
    EXPECT_EQ(QuorlanGetServerAddressByNameVB(nullptr), 0u);
}

}  // namespace
}  // namespace qltest
