// The configured server address: every setter stores its text as VmsAddress,
// empties VmsCache and tells the driver once; every getter reads the stored
// text back as the form it serves, from well-formed texts to values of other
// types and lengths. reg.exe is the independent reader of what was written;
// the address grammar itself is tested natively.
#include <gtest/gtest.h>

#include <winsock2.h>
#include <ws2ipdef.h>
#include <oleauto.h>

#include <algorithm>
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

// The text VB callers read back: ANSI bytes from the BSTR, or "<0>".
std::string ViaBstr(const std::function<QlUInt32(QlBstr*)>& call) {
    BSTR text = SysAllocString(L"unchanged");
    std::string result = call(&text) ? AnsiOf(text) : "<0>";
    SysFreeString(text);
    return result;
}

using ServerAddress = ClientConfigTest;

// ---- Setters ------------------------------------------------------------

const SOCKADDR_IN kIPv4Socket = {AF_INET, Net16(443), {{{203, 0, 113, 9}}}, {}};
const SOCKADDR_IN6 kIPv6Socket = {AF_INET6, Net16(443), 0, {{{0xfe, 0x80, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}}},
                                  {7}};
const SOCKADDR_IN kOtherFamily = {99, Net16(443), {{{203, 0, 113, 9}}}, {}};

#define CALL(name, ...) [](const Library& l) { return QL_FIND(l, name)(__VA_ARGS__); }

const struct SetterCase {
    const char* name;
    std::function<QlUInt32(const Library&)> call;
    const char* stored;  // VmsAddress as reg.exe shows it
} kSetters[] = {
    {"IPv4AndPort", CALL(QuorlanSetServerAddress, Stored(203, 0, 113, 9), Net16(443)), "REG_SZ 203.0.113.9:443"},
    {"SocketIPv4", CALL(QuorlanSetServerAddressEx, &kIPv4Socket), "REG_SZ 203.0.113.9:443"},
    {"SocketIPv6", CALL(QuorlanSetServerAddressEx, &kIPv6Socket), "REG_SZ [fe80::1%7]:443"},
    {"SocketNull", CALL(QuorlanSetServerAddressEx, nullptr), "REG_SZ "},
    {"SocketOtherFamily", CALL(QuorlanSetServerAddressEx, &kOtherFamily), "REG_SZ "},
    {"TextPrefixDropped", CALL(QuorlanSetServerAddressExVB, "10.1.2.3/8:5008"), "REG_SZ 10.1.2.3:5008"},
    {"ByName", CALL(QuorlanSetServerAddressByName, L"vpn.example.com"), "REG_SZ vpn.example.com"},
    {"ByNameNull", CALL(QuorlanSetServerAddressByName, nullptr), "REG_SZ "},
    {"ByNameVB", CALL(QuorlanSetServerAddressByNameVB, "vpn.example.com"), "REG_SZ vpn.example.com"},
};

TEST_F(ServerAddress, SettersStoreTheTextEmptyTheCacheAndTellTheDriverOnce) {
    for (const SetterCase& c : kSetters) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(qlsim::WriteChunked(kParams, L"VmsCache", qlsim::PatternBytes(65536 + 9)), 0u);
        ASSERT_EQ(c.call(library()), 1u);
        EXPECT_EQ(RegQuery(kParams, L"VmsAddress"), c.stored);
        EXPECT_EQ(RegQuery(kParams, L"VmsCache"), "REG_BINARY ");
        EXPECT_FALSE(ValueExists(kParams, L"VmsCache__0"));
        EXPECT_EQ(takeRequests(), Lines{"0x2225A3 sync"});
    }
    // A missing parameters key is created.
    DeleteKeyTree(kParams);
    EXPECT_EQ(QL_FIND(library(), QuorlanSetServerAddressByName)(L"vpn.example.com"), 1u);
    EXPECT_EQ(RegQuery(kParams, L"VmsAddress"), "REG_SZ vpn.example.com");
    EXPECT_EQ(RegQuery(kParams, L"VmsCache"), "REG_BINARY ");
}

TEST_F(ServerAddress, TextThatIsNotOneAddressStoresNothingAndTellsNobody) {
    QL_EXPORT(library(), QuorlanSetServerAddressExVB);
    ASSERT_EQ(qlsim::WriteText(kParams, L"VmsAddress", L"10.9.9.9"), 0u);
    ASSERT_EQ(qlsim::WriteChunked(kParams, L"VmsCache", {1, 2, 3}), 0u);
    for (const char* text : {"vpn.example.com", ""}) EXPECT_EQ(QuorlanSetServerAddressExVB(text), 0u) << text;
    EXPECT_EQ(RegQuery(kParams, L"VmsAddress"), "REG_SZ 10.9.9.9");
    EXPECT_EQ(RegQuery(kParams, L"VmsCache"), "REG_BINARY 010203");
    EXPECT_EQ(takeRequests(), Lines{});
}

// ---- Getters ------------------------------------------------------------

const std::wstring k79 = L"10.1.2.3:443;" + std::wstring(66, L'x');  // the grammar stops at ';'
const std::string k79Text = "10.1.2.3:443;" + std::string(66, 'x');

const struct GetterCase {
    const char* name;
    DWORD type;
    std::wstring units;    // as stored; L"<none>" for no value
    uint32_t address;      // QuorlanGetServerAddress
    uint16_t port;
    const char* text;      // QuorlanGetServerAddressExVB
    std::string byName;    // QuorlanGetServerAddressByNameVB, "<0>" for failure
    uint32_t byNameBytes;  // the length QuorlanGetServerAddressByName reports, 0 for failure
} kGetters[] = {
    {"IPv4", REG_SZ, L"203.0.113.9:443" + std::wstring(1, 0), Stored(203, 0, 113, 9), Net16(443), "203.0.113.9:443",
     "203.0.113.9:443", 32},
    {"IPv6", REG_SZ, L"[2001:db8::1]:443" + std::wstring(1, 0), 0, 0, "[2001:db8::1]:443", "[2001:db8::1]:443", 36},
    {"HostName", REG_SZ, L"vpn.example.com" + std::wstring(1, 0), 0, 0, "", "vpn.example.com", 32},
    // 80 units are more than the address forms read.
    {"Chars79", REG_SZ, k79 + L'\0', Stored(10, 1, 2, 3), Net16(443), "10.1.2.3:443", k79Text, 160},
    {"Chars80", REG_SZ, k79 + L"x" + L'\0', 0, 0, "", k79Text + "x", 162},
    // Without a terminator: repaired when room is left, 80 units never are.
    {"Unterminated", REG_SZ, L"10.1.2.3", Stored(10, 1, 2, 3), 0, "10.1.2.3", "10.1.2.3", 18},
    {"Chars80Unterminated", REG_SZ, k79 + L"x", 0, 0, "", k79Text + "x", 162},
    {"ExpandString", REG_EXPAND_SZ, L"10.1.2.3" + std::wstring(1, 0), Stored(10, 1, 2, 3), 0, "10.1.2.3", "10.1.2.3",
     18},
    {"Number", REG_DWORD, std::wstring(L"\x3031\x3032", 2), 0, 0, "", "<0>", 0},
    {"Binary", REG_BINARY, L"10.1.2.3" + std::wstring(1, 0), 0, 0, "", "<0>", 0},
    {"Missing", REG_SZ, L"<none>", 0, 0, "", "<0>", 0},
};

TEST_F(ServerAddress, GettersReadTheStoredTextAsTheirFormAsks) {
    QL_EXPORT(library(), QuorlanGetServerAddress);
    QL_EXPORT(library(), QuorlanGetServerAddressEx);
    QL_EXPORT(library(), QuorlanGetServerAddressExVB);
    QL_EXPORT(library(), QuorlanGetServerAddressByName);
    QL_EXPORT(library(), QuorlanGetServerAddressByNameVB);
    for (const GetterCase& c : kGetters) {
        SCOPED_TRACE(c.name);
        if (c.units == L"<none>")
            qlsim::RemoveValue(kParams, L"VmsAddress");
        else
            WriteUnits(kParams, L"VmsAddress", c.units, c.type);
        QlUInt32 address = 0xEEEEEEEE;
        QlUInt16 port = 0xEEEE;
        EXPECT_EQ(QuorlanGetServerAddress(&address, &port), 1u);
        EXPECT_EQ(address, c.address);
        EXPECT_EQ(port, c.port);

        unsigned char socketAddress[30];
        std::memset(socketAddress, 0xEE, sizeof socketAddress);
        EXPECT_EQ(QuorlanGetServerAddressEx(socketAddress), 1u);
        EXPECT_EQ(socketAddress[28], 0xEE) << "written past 28 bytes";
        if (!*c.text) {
            EXPECT_EQ(std::count(socketAddress, socketAddress + 28, 0), 28);
        }
        EXPECT_EQ(ViaBstr(QuorlanGetServerAddressExVB), c.text);
        EXPECT_EQ(ViaBstr(QuorlanGetServerAddressByNameVB), c.byName);

        // The plain by-name form: a size query, then a fetch with that size.
        QlUInt32 length = 0xEEEE;
        EXPECT_EQ(QuorlanGetServerAddressByName(nullptr, &length), c.byNameBytes ? 1u : 0u);
        if (!c.byNameBytes) {
            EXPECT_EQ(length, 0u);
            continue;
        }
        EXPECT_GE(length, c.byNameBytes);
        std::vector<wchar_t> buffer(length / 2 + 1, L'#');
        QlUInt32 room = length;
        EXPECT_EQ(QuorlanGetServerAddressByName(buffer.data(), &room), 1u);
        EXPECT_EQ(room, c.byNameBytes);
        EXPECT_EQ(buffer[length / 2], L'#') << "written past the length";
        EXPECT_EQ(std::string(buffer.data(), buffer.data() + wcslen(buffer.data())), c.byName);
        // One byte short gives no needed size and no text; a single byte not even the terminator.
        for (QlUInt32 shortRoom : {c.byNameBytes - 1, 1u}) {
            std::fill(buffer.begin(), buffer.end(), L'#');
            room = shortRoom;
            EXPECT_EQ(QuorlanGetServerAddressByName(buffer.data(), &room), 0u) << shortRoom;
            EXPECT_EQ(room, 0u) << shortRoom;
            EXPECT_EQ(buffer[0], shortRoom > 1 ? L'\0' : L'#') << shortRoom;
            EXPECT_EQ(buffer[(shortRoom + 1) / 2], L'#') << shortRoom << ": written past the room";
        }
    }
    // Outputs that may be left out.
    QlUInt32 address = 0;
    EXPECT_EQ(QuorlanGetServerAddress(&address, nullptr), 1u);
    EXPECT_EQ(QuorlanGetServerAddressExVB(nullptr), 0u);
    EXPECT_EQ(QuorlanGetServerAddressByNameVB(nullptr), 0u);
}

}  // namespace
}  // namespace qltest
