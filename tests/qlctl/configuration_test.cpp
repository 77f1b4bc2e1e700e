// qlctl id, server and startup against the configuration the simulated
// client lays down: what they print, what they change (reg.exe as the
// witness) and how a change the registry refuses is reported.
#include <windows.h>
#include <sddl.h>

#include <algorithm>

#include "support/client_config.h"
#include "support/qlctl_process.h"
#include "support/sorted_json.h"

namespace qltest {
namespace {

const wchar_t* const kParams = qlsim::kClientParamsKey;
const wchar_t* const kState = qlsim::kClientStateKey;

std::string Hex(const std::vector<uint8_t>& bytes) {
    std::string text;
    for (uint8_t byte : bytes) text += "0123456789ABCDEF"[byte >> 4], text += "0123456789ABCDEF"[byte & 15];
    return text;
}

// The registry refuses new values in a key, as it does for a user who is
// not an administrator; the key's rights come back afterwards.
class RefusedValues {
public:
    explicit RefusedValues(const std::wstring& key) {
        RegOpenKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, WRITE_DAC, &key_);
        set(L"D:(D;;0x2;;;WD)(A;;KA;;;WD)");
    }
    ~RefusedValues() {
        set(L"D:(A;;KA;;;WD)");
        RegCloseKey(key_);
    }

private:
    void set(const wchar_t* descriptor) {
        PSECURITY_DESCRIPTOR security = nullptr;
        ConvertStringSecurityDescriptorToSecurityDescriptorW(descriptor, SDDL_REVISION_1, &security, nullptr);
        EXPECT_EQ(RegSetKeySecurity(key_, DACL_SECURITY_INFORMATION, security), 0);
        LocalFree(security);
    }
    HKEY key_ = nullptr;
};

class Configuration : public ClientServicesTest {
protected:
    // How often the driver heard that the server configuration changed
    // (each qlctl run also asks its version when it loads the library).
    size_t announcements() {
        std::vector<std::string> requests = takeRequests();
        return size_t(std::count(requests.begin(), requests.end(), "0x2225A3 sync"));
    }
};

TEST_F(Configuration, IdPrintsTheIdentifierOrSaysThereIsNone) {
    const std::string id = Hex(qlsim::DefaultPid());
    const std::string large = Hex(qlsim::PatternBytes(70000));
    const struct {
        const char* name;
        std::function<void()> layDown;
        const wchar_t* arguments;
        DWORD exitCode;
        std::string out;
    } cases[] = {
        {"Default", [] {}, L"id", 0, id + " (32 bytes)\n"},
        {"Json", [] {}, L"id --json", 0, "{\"bytes\":32,\"id\":\"" + id + "\"}\n"},
        {"InPieces", [] { qlsim::WriteChunked(kState, L"PID", qlsim::PatternBytes(70000)); }, L"id", 0,
         large + " (70000 bytes)\n"},
        {"Missing", [] { qlsim::RemoveValue(kState, L"PID"); }, L"id", 1, ""},
        {"StateKeyMissing", [] { DeleteKeyTree(kState); }, L"id", 1, ""},
    };
    for (const auto& c : cases) {
        c.layDown();
        Outcome outcome = RunQlctl(c.arguments);
        EXPECT_EQ(outcome.exitCode, c.exitCode) << c.name << outcome.err;
        EXPECT_EQ(outcome.out, c.out) << c.name;
        EXPECT_EQ(outcome.err.find("permanent identifier") != std::string::npos, c.exitCode != 0) << c.name;
    }
}

TEST_F(Configuration, ServerShowsTheStoredTextAndItsAddress) {
    const struct {
        const wchar_t* stored;  // null: no value
        const wchar_t* arguments;
        const char* out;
    } cases[] = {
        {L"203.0.113.9:443", L"server", "stored text: 203.0.113.9:443\naddress:     203.0.113.9:443\nfamily:      IPv4\n"},
        {L"[2001:db8::1]:443", L"server --json",
         "{\"address\":\"[2001:db8::1]:443\",\"family\":\"IPv6\",\"text\":\"[2001:db8::1]:443\"}\n"},
        {L"vpn.example.com", L"server", "stored text: vpn.example.com\naddress:     none\nfamily:      none\n"},
        {L"", L"server --json", "{\"address\":null,\"family\":null,\"text\":\"\"}\n"},
        {nullptr, L"server --json", "{\"address\":null,\"family\":null,\"text\":null}\n"},
    };
    for (const auto& c : cases) {
        if (c.stored)
            qlsim::WriteText(kParams, L"VmsAddress", c.stored);
        else
            qlsim::RemoveValue(kParams, L"VmsAddress");
        Outcome outcome = RunQlctl(c.arguments);
        EXPECT_EQ(outcome.exitCode, 0u) << outcome.err;
        EXPECT_EQ(outcome.out, c.out);
    }
    EXPECT_EQ(announcements(), 0u);
}

TEST_F(Configuration, ServerChangesAreStoredAndAnnounced) {
    const struct {
        const wchar_t* arguments;
        const char* out;
        const char* stored;  // by reg.exe
    } cases[] = {
        {L"server set 203.0.113.9:443", "the server address is now 203.0.113.9:443\n", "REG_SZ 203.0.113.9:443"},
        {L"server set 2001:db8::1", "the server address is now 2001:db8::1\n", "REG_SZ 2001:db8::1"},
        {L"server set --name vpn.example.com", "the server is now 'vpn.example.com'\n", "REG_SZ vpn.example.com"},
        {L"server clear", "the server address is cleared\n", "REG_SZ "},
    };
    for (const auto& c : cases) {
        Outcome outcome = RunQlctl(c.arguments);
        EXPECT_EQ(outcome.exitCode, 0u) << outcome.err;
        EXPECT_EQ(outcome.out, c.out);
        EXPECT_EQ(RegQuery(kParams, L"VmsAddress"), c.stored);
        EXPECT_EQ(announcements(), 1u) << c.out;
    }
}

TEST_F(Configuration, RefusedChangesAskForAdministratorRights) {
    qlsim::WriteText(kParams, L"VmsAddress", L"10.9.9.9");
    {
        RefusedValues refused(kParams);
        for (const wchar_t* arguments : {L"server set 203.0.113.9:443", L"server set --name vpn", L"server clear"}) {
            Outcome outcome = RunQlctl(arguments);
            EXPECT_EQ(outcome.exitCode, 1u);
            EXPECT_NE(outcome.err.find("changing the server address needs administrator rights"), std::string::npos)
                << outcome.err;
        }
    }
    EXPECT_EQ(RegQuery(kParams, L"VmsAddress"), "REG_SZ 10.9.9.9");
    RefusedValues refused(qlsim::kServicesKey + std::wstring(L"\\QLFILTER"));
    Outcome outcome = RunQlctl(L"startup off");
    EXPECT_EQ(outcome.exitCode, 1u);
    EXPECT_NE(outcome.err.find("switching start-up needs administrator rights"), std::string::npos) << outcome.err;
    EXPECT_NE(outcome.err.find("QLFILTER"), std::string::npos) << outcome.err;
}

TEST_F(Configuration, StartupShowsAndSwitchesTheRecordedChoice) {
    const struct {
        const wchar_t* arguments;
        const char* out;
    } steps[] = {
        {L"startup", "on (recorded choice 1)\n"},
        {L"startup off", "loading at start-up is switched off; it takes effect when the machine next starts\n"},
        {L"startup --json", "{\"startup\":\"off\",\"value\":0}\n"},
        {L"startup on", "loading at start-up is switched on; it takes effect when the machine next starts\n"},
        {L"startup --json", "{\"startup\":\"on\",\"value\":1}\n"},
    };
    for (const auto& step : steps) {
        Outcome outcome = RunQlctl(step.arguments);
        EXPECT_EQ(outcome.exitCode, 0u) << outcome.err;
        EXPECT_EQ(outcome.out, step.out);
    }
    EXPECT_EQ(RegQuery(qlsim::kServicesKey + std::wstring(L"\\QLDRV"), L"Start"), "REG_DWORD 0x1");
    qlsim::RemoveValue(kParams, L"Enabled");
    EXPECT_EQ(RunQlctl(L"startup --json").out, "{\"startup\":\"not-recorded\",\"value\":3}\n");
}

}  // namespace
}  // namespace qltest
