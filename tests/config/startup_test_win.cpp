// Start-up control against the real registry and Wine's service control
// manager, with the client's services and a stand-in PolicyAgent laid down
// by the simulated client. Every test gives QLDRV back its demand start
// (ClientServicesTest), so the simulated driver stays startable.
//
// Wine's manager stores a dependency list it is given (the service key's
// DependOnService) but reports every list as empty when asked, so an add
// there replaces the whole list and a removal never finds the name. The
// list logic itself is tested natively (multi_string_test.cpp).
#include <gtest/gtest.h>

#include <aclapi.h>
#include <sddl.h>

#include "qlclapi.h"
#include "support/client_config.h"

namespace qltest {
namespace {

const std::wstring kServices = qlsim::kServicesKey;
const wchar_t* const kRows[] = {L"VESSERV", L"QLUPDATE", L"QLCollector", L"QLDRV", L"QLFILTER", L"QLutilnt", L"qlvadapter"};
const char* const kOnStarts[] = {"0x2", "0x2", "0x2", "0x1", "0x1", "0x2", "0x3"};

std::wstring ServiceKey(const wchar_t* name) { return kServices + L"\\" + name; }
std::string StartOf(const wchar_t* name) { return RegQuery(ServiceKey(name), L"Start"); }

class Startup : public ClientServicesTest {
protected:
    QlUInt32 recorded() {
        auto get = library().get<PFN_QuorlanGetLoadAtStartup>("QuorlanGetLoadAtStartup");
        QlUInt32 value = 0xEEEE;
        EXPECT_EQ(get(&value), 1u);
        return value;
    }
    void setDependencies(const wchar_t* list) {
        SC_HANDLE manager = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
        SC_HANDLE service = OpenServiceW(manager, L"PolicyAgent", SERVICE_CHANGE_CONFIG);
        EXPECT_TRUE(ChangeServiceConfigW(service, SERVICE_NO_CHANGE, SERVICE_NO_CHANGE, SERVICE_NO_CHANGE, nullptr,
                                         nullptr, nullptr, list, nullptr, nullptr, nullptr));
        CloseServiceHandle(service);
        CloseServiceHandle(manager);
    }
};

TEST_F(Startup, SwitchesEveryRowTheDependencyAndTheRecordedChoice) {
    QL_EXPORT(library(), QuorlanSetLoadAtStartup);
    setDependencies(L"Tcpip\0vesserv\0");
    // Wine reports the list as empty: switching off finds no "vesserv" and
    // changes nothing; switching on replaces the list.
    const struct {
        QlInt32 enable;
        const char* dependencies;
    } steps[] = {{0, "Tcpip\\0vesserv"}, {7, "VESSERV"}, {0, "VESSERV"}, {-1, "VESSERV"}};
    for (const auto& step : steps) {
        const bool on = step.enable != 0;
        ASSERT_EQ(QuorlanSetLoadAtStartup(step.enable), 1u) << step.enable;
        for (size_t row = 0; row < std::size(kRows); ++row)
            EXPECT_EQ(StartOf(kRows[row]), "REG_DWORD " + std::string(on ? kOnStarts[row] : "0x4")) << row;
        EXPECT_EQ(RegQuery(qlsim::kClientParamsKey, L"Enabled"), on ? "REG_DWORD 0x1" : "REG_DWORD 0x0");
        EXPECT_EQ(recorded(), on ? 1u : 0u);
        EXPECT_EQ(RegQuery(ServiceKey(L"PolicyAgent"), L"DependOnService"), std::string("REG_MULTI_SZ ") + step.dependencies);
    }
    EXPECT_EQ(takeRequests(), std::vector<std::string>{}) << "start-up control needs no driver";
}

TEST_F(Startup, AMissingServiceKeyIsCreatedWithOnlyStart) {
    QL_EXPORT(library(), QuorlanSetLoadAtStartup);
    SC_HANDLE manager = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    SC_HANDLE collector = OpenServiceW(manager, L"QLCollector", DELETE);
    ASSERT_TRUE(collector && DeleteService(collector));
    CloseServiceHandle(collector);
    CloseServiceHandle(manager);
    DeleteKeyTree(ServiceKey(L"QLCollector").c_str());
    ASSERT_EQ(StartOf(L"QLCollector"), "");

    ASSERT_EQ(QuorlanSetLoadAtStartup(1), 1u);
    EXPECT_EQ(StartOf(L"QLCollector"), "REG_DWORD 0x2");
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, ServiceKey(L"QLCollector").c_str(), 0, KEY_READ, &key), 0);
    DWORD subkeys = 9, values = 9;
    RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr, nullptr, nullptr,
                     nullptr);
    RegCloseKey(key);
    EXPECT_EQ(subkeys, 0u);
    EXPECT_EQ(values, 1u);
}

// A Start value the registry refuses (as it does for a user who is not an
// administrator): the setter fails, rows before it keep their new values,
// later rows, the dependency and the recorded choice are left as they were.
TEST_F(Startup, ARefusedStartValueStopsWithoutRollback) {
    QL_EXPORT(library(), QuorlanSetLoadAtStartup);
    ASSERT_EQ(QuorlanSetLoadAtStartup(1), 1u);
    setDependencies(L"Tcpip\0");
    HKEY filter = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, ServiceKey(L"QLFILTER").c_str(), 0, WRITE_DAC, &filter), 0);
    PSECURITY_DESCRIPTOR denySetValue = nullptr;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:(D;;0x2;;;WD)(A;;KA;;;WD)", SDDL_REVISION_1,
                                                                     &denySetValue, nullptr));
    ASSERT_EQ(RegSetKeySecurity(filter, DACL_SECURITY_INFORMATION, denySetValue), 0);
    LocalFree(denySetValue);

    EXPECT_EQ(QuorlanSetLoadAtStartup(0), 0u);
    for (size_t row = 0; row < std::size(kRows); ++row)
        EXPECT_EQ(StartOf(kRows[row]), "REG_DWORD " + std::string(row < 4 ? "0x4" : kOnStarts[row])) << row;
    EXPECT_EQ(recorded(), 1u);
    EXPECT_EQ(RegQuery(ServiceKey(L"PolicyAgent"), L"DependOnService"), "REG_MULTI_SZ Tcpip");

    PSECURITY_DESCRIPTOR allow = nullptr;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:(A;;KA;;;WD)", SDDL_REVISION_1, &allow, nullptr));
    EXPECT_EQ(RegSetKeySecurity(filter, DACL_SECURITY_INFORMATION, allow), 0);
    LocalFree(allow);
    RegCloseKey(filter);
}

// A value that is not 4 bytes long reads as not recorded (3); its type is
// not looked at.
TEST_F(Startup, TheRecordedChoiceReadsAsStored) {
    const wchar_t* params = qlsim::kClientParamsKey;
    const struct {
        std::vector<uint8_t> bytes;  // empty: no value
        DWORD type;
        QlUInt32 value;
    } cases[] = {{{9, 0, 0, 0}, REG_DWORD, 9},
                 {{}, REG_DWORD, 3},
                 {{1, 0}, REG_DWORD, 3},
                 {{1, 0, 0, 0, 0, 0, 0, 0}, REG_QWORD, 3},
                 {{0, 0, 0, 0}, REG_BINARY, 0}};
    for (const auto& c : cases) {
        if (c.bytes.empty())
            qlsim::RemoveValue(params, L"Enabled");
        else
            WriteRaw(params, L"Enabled", c.type, c.bytes);
        EXPECT_EQ(recorded(), c.value) << c.bytes.size();
    }
}

}  // namespace
}  // namespace qltest
