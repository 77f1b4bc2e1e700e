// The client key layer's operations that no export reaches yet (chunked
// values, strings of any type, enumeration, trees, views, the identifier's
// copy), compiled from the library's sources and run against Wine's real
// registry, with the simulated client's independent chunk reader and reg.exe
// as witnesses.
// Every test also counts the process's open handles: none may be left.
#include <gtest/gtest.h>

#include <cwchar>

#include "config/client_key_enum_win.h"
#include "config/client_key_win.h"
#include "config/permanent_id_win.h"
#include "config/registry_tree_win.h"
#include "config/registry_value_win.h"
#include "support/client_config.h"

namespace {

using namespace qlclapi;
using qltest::OpenHandles;
using qltest::RegQuery;
using qltest::ValueExists;
using qltest::WriteRaw;
using qltest::WriteUnits;
using Bytes = std::vector<uint8_t>;

const wchar_t* const kParams = qlsim::kClientParamsKey;
const wchar_t* const kState = qlsim::kClientStateKey;
const wchar_t kScratch[] = L"SOFTWARE\\QuorlanLayerTest";

void RemoveScratch() {
    for (REGSAM view : {REGSAM(KEY_WOW64_32KEY), REGSAM(KEY_WOW64_64KEY)}) {
        HKEY software = nullptr;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE", 0, KEY_ALL_ACCESS | view, &software)) continue;
        RegDeleteTreeW(software, L"QuorlanLayerTest");
        RegDeleteKeyExW(software, L"QuorlanLayerTest", view, 0);
        RegCloseKey(software);
    }
}

// What the platform opens once and keeps (its handles to the predefined
// keys of both views, the first child process's), opened before counting.
void WarmUp() {
    RemoveScratch();
    RegQuery(L"SOFTWARE", L"NoSuchValue");
}

class Layer : public testing::Test {
protected:
    void SetUp() override {
        static const bool warm = (WarmUp(), true);
        (void)warm;
        ASSERT_EQ(qlsim::RemoveClientKeys(), 0u);
        ASSERT_EQ(qlsim::InstallClientKeys(), 0u);
        RemoveScratch();
        handles_ = OpenHandles();
    }
    void TearDown() override {
        // A skipped test opened nothing; the count may still move with what the platform opens lazily.
        if (!IsSkipped()) {
            EXPECT_EQ(OpenHandles(), handles_) << "handles left open";
        }
        RemoveScratch();
        EXPECT_EQ(qlsim::RemoveClientKeys(), 0u);
    }

private:
    size_t handles_ = 0;
};

// The chain's bookkeeping is tested natively (chunk_chain_test.cpp); here
// its registry side, with the simulated client's own reader as the witness.
TEST_F(Layer, ChunkedValuesReachTheRegistry) {
    WriteUnits(kParams, L"N__1", L"stale");
    const Bytes data = qlsim::PatternBytes(65537);
    ASSERT_EQ(WriteClientBinary(data.data(), 65537, L"N", nullptr, kClientParams), kConfigOk);
    EXPECT_FALSE(ValueExists(kParams, L"N__1"));
    Bytes independent;
    ASSERT_TRUE(qlsim::ReadChunked(kParams, L"N", independent));
    EXPECT_EQ(independent, data);
    // A whole chain read back: settings_store_test_win.cpp, through a blob of two pieces.
    Bytes back(8);
    uint32_t size = 8;
    EXPECT_EQ(ReadClientBinary(back.data(), &size, L"N", nullptr, kClientParams), kConfigFailed);
    EXPECT_EQ(size, 65537u) << "the first piece does not fit";
    size = 8;
    EXPECT_EQ(ReadClientBinary(back.data(), &size, L"N", nullptr, kClientState), kConfigFailed);
    EXPECT_EQ(size, 0u) << "no such value";
    EXPECT_EQ(WriteClientBinary(nullptr, 5, L"N", nullptr, kClientParams), kConfigInvalidArgument);
}

// (Numbers of the wrong size: config_startup_test.cpp, through Enabled.)
TEST_F(Layer, HostileStringsAreReadSafely) {
    const struct {
        const char* name;
        DWORD type;
        std::wstring units;
        uint32_t room;
        ConfigStatus status;
        uint32_t units_after;
    } strings[] = {{"Terminated", REG_SZ, std::wstring(L"abc") + L'\0', 8, kConfigOk, 4},
                   {"Unterminated", REG_SZ, L"abc", 8, kConfigOk, 3},
                   {"TooLarge", REG_SZ, std::wstring(L"abcdef") + L'\0', 4, kConfigFailed, 7},
                   {"Number", REG_DWORD, L"ab", 8, kConfigFailed, 8},
                   {"SizeQuery", REG_SZ, std::wstring(L"abc") + L'\0', 0, kConfigOk, 4}};
    for (const auto& c : strings) {
        WriteUnits(kParams, L"S", c.units, c.type);
        wchar_t buffer[10] = {L'#', L'#', L'#', L'#', L'#', L'#', L'#', L'#', L'#', L'#'};
        uint32_t units = c.room;
        EXPECT_EQ(ReadClientString(c.room ? buffer : nullptr, &units, L"S", nullptr, kClientParams), c.status) << c.name;
        EXPECT_EQ(units, c.units_after) << c.name;
        EXPECT_EQ(buffer[c.room ? c.room : 0], L'#') << c.name << ": written past the room";
        if (c.type != REG_SZ) {
            EXPECT_EQ(buffer[0], 0) << c.name << ": a refused value shows no text";
        }
    }
    // An odd byte count: halved on a read, taken up to a whole unit when asked.
    WriteRaw(kParams, L"S", REG_SZ, {'a', 0, 'b', 0, 'c'});
    uint32_t units = 0;
    EXPECT_EQ(ReadClientString(nullptr, &units, L"S", nullptr, kClientParams), kConfigOk);
    EXPECT_EQ(units, 3u);
    wchar_t odd[3];
    EXPECT_EQ(ReadClientString(odd, &units, L"S", nullptr, kClientParams), kConfigOk);
    EXPECT_EQ(units, 2u);
}

TEST_F(Layer, CurrentSubkeyMustBeAUsableString) {
    const struct {
        const char* name;
        DWORD type;
        std::wstring stored;
        bool opens;
    } cases[] = {{"Chars127", REG_SZ, std::wstring(127, L'c') + L'\0', true},
                 {"Chars300", REG_SZ, std::wstring(300, L'c') + L'\0', false},  // past the 256-byte read
                 {"Number", REG_DWORD, L"AB", false},
                 {"Missing", REG_NONE, L"", false}};
    for (const auto& c : cases) {
        if (c.type == REG_NONE)
            qlsim::RemoveValue(kState, L"CurrentSubkey");
        else
            WriteUnits(kState, L"CurrentSubkey", c.stored, c.type);
        const std::wstring name(c.stored.c_str());
        if (c.opens) {
            HKEY current = nullptr;
            ASSERT_EQ(RegCreateKeyW(HKEY_LOCAL_MACHINE, (std::wstring(kState) + L"\\" + name).c_str(), &current), 0);
            RegCloseKey(current);
        }
        // Write through the current key: only a usable name may lead anywhere.
        EXPECT_EQ(WriteClientDword(5, L"Probe", nullptr, kClientCurrent), c.opens ? kConfigOk : kConfigFailed) << c.name;
        HKEY key = OpenClientKey(kClientCurrent, false, nullptr);
        EXPECT_EQ(key != nullptr, c.opens) << c.name;
        if (key) RegCloseKey(key);
        wchar_t path[300];
        EXPECT_EQ(GetClientKeyPath(kClientCurrent, L"Settings", path, 300), c.opens ? kConfigOk : kConfigFailed) << c.name;
        if (c.opens) {
            EXPECT_EQ(std::wstring(path), std::wstring(kState) + L"\\" + name + L"\\Settings");
        }
    }
    // Without the state key there is no current key, and none is made.
    qltest::DeleteKeyTree(kState);
    EXPECT_EQ(WriteClientDword(5, L"Probe", nullptr, kClientCurrent), kConfigFailed);
    HKEY state = nullptr;
    EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kState, 0, KEY_READ, &state), ERROR_FILE_NOT_FOUND);
    if (state) RegCloseKey(state);
    // Deleting from a missing key creates it and finds nothing.
    EXPECT_EQ(DeleteClientValue(L"Nothing", L"Fresh", kClientParams), kConfigFailed);
    EXPECT_TRUE(RegistryKeyExists(HKEY_LOCAL_MACHINE, (std::wstring(kParams) + L"\\Fresh").c_str(), 0));
}

TEST_F(Layer, ViewsKeepTheirOwnKeysUntilCopiedAcross) {
    BOOL wow64 = FALSE;
    if (sizeof(void*) == 4 && (!IsWow64Process(GetCurrentProcess(), &wow64) || !wow64))
        GTEST_SKIP() << "a 32-bit system has a single registry view";
    const DWORD number = 42;
    ASSERT_TRUE(RegistryWriteValue(HKEY_LOCAL_MACHINE, kScratch, L"Text", REG_SZ, L"thirty-two", 0xFFFFFFFF,
                                   KEY_WOW64_32KEY));
    ASSERT_TRUE(RegistryWriteValue(HKEY_LOCAL_MACHINE, (std::wstring(kScratch) + L"\\Sub").c_str(), L"Number",
                                   REG_DWORD, &number, 4, KEY_WOW64_32KEY));
    // Under wine64 the 32-bit view of SOFTWARE is its Wow6432Node branch.
    EXPECT_EQ(RegQuery(L"SOFTWARE\\Wow6432Node\\QuorlanLayerTest", L"Text"), "REG_SZ thirty-two");
    EXPECT_EQ(RegistryValueSize(HKEY_LOCAL_MACHINE, kScratch, L"Text", KEY_WOW64_32KEY), 22u);  // with its terminator
    EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, kScratch, KEY_WOW64_64KEY));
    EXPECT_FALSE(RegistryValueHasData(HKEY_LOCAL_MACHINE, kScratch, L"Text", KEY_WOW64_64KEY));

    ASSERT_TRUE(CopyKeyAcrossViews(kScratch, 1));
    wchar_t text[16] = {};
    EXPECT_TRUE(RegistryReadValue(HKEY_LOCAL_MACHINE, kScratch, L"Text", text, sizeof text, KEY_WOW64_64KEY));
    EXPECT_STREQ(text, L"thirty-two");
    EXPECT_FALSE(RegistryReadValue(HKEY_LOCAL_MACHINE, kScratch, L"Text", text, 8, KEY_WOW64_64KEY)) << "larger than the buffer";
    EXPECT_EQ(RegQuery(L"SOFTWARE\\QuorlanLayerTest\\Sub", L"Number"), "REG_DWORD 0x2a");
    EXPECT_TRUE(RegistryDeleteValue(HKEY_LOCAL_MACHINE, kScratch, L"Text", KEY_WOW64_64KEY));
    EXPECT_TRUE(RegistryValueHasData(HKEY_LOCAL_MACHINE, kScratch, L"Text", KEY_WOW64_32KEY)) << "the other view keeps it";
    EXPECT_TRUE(DeleteRegistryTree(HKEY_LOCAL_MACHINE, kScratch, KEY_WOW64_32KEY));
    EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, kScratch, KEY_WOW64_32KEY));
    EXPECT_TRUE(RegistryKeyExists(HKEY_LOCAL_MACHINE, kScratch, KEY_WOW64_64KEY));
}

TEST_F(Layer, TreesCopyMoveAndDelete) {
    const std::wstring source = std::wstring(kScratch) + L"\\Source";
    WriteUnits(source.c_str(), L"A", std::wstring(L"first") + L'\0');
    WriteRaw((source + L"\\Child\\Grandchild").c_str(), L"B", REG_BINARY, {1, 2, 3});
    WriteRaw(source.c_str(), L"Big", REG_BINARY, Bytes(2049, 7));  // ends the copying of values, not the copy
    ASSERT_TRUE(MoveRegistryTree(HKEY_LOCAL_MACHINE, source.c_str(), (std::wstring(kScratch) + L"\\Moved").c_str(), 0, 0));
    EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, source.c_str(), 0));
    EXPECT_EQ(RegQuery(std::wstring(kScratch) + L"\\Moved", L"A"), "REG_SZ first");
    EXPECT_EQ(RegQuery(std::wstring(kScratch) + L"\\Moved\\Child\\Grandchild", L"B"), "REG_BINARY 010203");
    EXPECT_FALSE(ValueExists((std::wstring(kScratch) + L"\\Moved").c_str(), L"Big"));

    // A subkey whose path passes 1024 characters cannot be deleted by path:
    // the delete stops at once, leaves the tree and does not loop.
    std::wstring deep = std::wstring(kScratch) + L"\\Deep";
    for (int level = 0; level < 5; ++level) deep += L"\\" + std::wstring(250, wchar_t(L'a' + level));
    WriteRaw(deep.c_str(), L"V", REG_DWORD, {1, 0, 0, 0});
    EXPECT_FALSE(DeleteRegistryTree(HKEY_LOCAL_MACHINE, (std::wstring(kScratch) + L"\\Deep").c_str(), 0));
    EXPECT_TRUE(RegistryKeyExists(HKEY_LOCAL_MACHINE, (std::wstring(kScratch) + L"\\Deep").c_str(), 0));
    EXPECT_FALSE(CopyRegistryTree(HKEY_LOCAL_MACHINE, L"SOFTWARE\\NoSuchKeyHere", HKEY_LOCAL_MACHINE, kScratch, 0, 0));
}

TEST_F(Layer, EnumerationsVisitEveryEntryAndEndByFreeingTheIterator) {
    const std::wstring sub = L"Enum";
    const std::wstring key = std::wstring(kParams) + L"\\" + sub;
    for (const wchar_t* name : {L"One", L"Two", L"Three"}) {
        ASSERT_EQ(qlsim::WriteNumber(key.c_str(), name, 1), 0u);
        ASSERT_EQ(qlsim::WriteNumber((key + L"\\" + name).c_str(), L"x", 1), 0u);
    }
    ClientKeyIterator* iterator = nullptr;
    size_t values = 0;
    wchar_t name[64];
    uint8_t data[8];
    for (;;) {
        uint32_t units = 64, bytes = sizeof data;
        if (EnumClientValues(name, &units, data, &bytes, &iterator, sub.c_str(), kClientParams)) break;
        ++values;
        EXPECT_EQ(bytes, 4u);
        EXPECT_EQ(units, wcslen(name));
    }
    EXPECT_EQ(values, 3u);
    EXPECT_EQ(iterator, nullptr);
    size_t subkeys = 0;
    for (uint32_t units = 64; !EnumClientSubkeys(name, &units, &iterator, sub.c_str(), kClientParams); units = 64)
        ++subkeys;
    EXPECT_EQ(subkeys, 3u);
    EXPECT_EQ(iterator, nullptr);
    // A name that does not fit ends the enumeration like any error.
    uint32_t tiny = 2;
    EXPECT_EQ(EnumClientSubkeys(name, &tiny, &iterator, sub.c_str(), kClientParams), kConfigFailed);
    EXPECT_EQ(iterator, nullptr);
    EXPECT_EQ(EnumClientSubkeys(name, &tiny, &iterator, L"Missing", kClientParams), kConfigFailed);
    // A caller that stops early closes the iterator itself.
    uint32_t units = 64;
    ASSERT_EQ(EnumClientSubkeys(name, &units, &iterator, sub.c_str(), kClientParams), kConfigOk);
    CloseClientKeyIterator(&iterator);
    EXPECT_EQ(iterator, nullptr);
}

TEST_F(Layer, ThePermanentIdIsCopiedOnlyWhole) {
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, qlsim::kServiceStateRoot);

    EXPECT_EQ(CopyPermanentId(), kConfigOk);
    Bytes copied;
    ASSERT_TRUE(qlsim::ReadChunked(kServiceStateKey, L"PID", copied));
    EXPECT_EQ(copied, qlsim::DefaultPid());
    ASSERT_EQ(qlsim::WriteChunked(kState, L"PID", qlsim::PatternBytes(33)), 0u);
    EXPECT_EQ(CopyPermanentId(), kConfigBufferTooSmall);
    ASSERT_TRUE(qlsim::ReadChunked(kServiceStateKey, L"PID", copied));
    EXPECT_EQ(copied, qlsim::DefaultPid()) << "a longer identifier must not be copied cut";
    qlsim::RemoveValue(kState, L"PID");
    EXPECT_EQ(CopyPermanentId(), kConfigFailed);
}

}  // namespace
