#include "support/client_config.h"

#include <algorithm>

#include "registry_raw.h"
#include "support/tool_process_win.h"

namespace qltest {

void ClientConfigTest::SetUp() {
    SimulatedClientTest::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_EQ(qlsim::RemoveClientKeys(), DWORD(ERROR_SUCCESS));
    ASSERT_EQ(qlsim::InstallClientKeys(), DWORD(ERROR_SUCCESS));
    library_ = loadLibrary();
}

void ClientConfigTest::TearDown() {
    library_.reset();
    EXPECT_EQ(qlsim::RemoveClientKeys(), DWORD(ERROR_SUCCESS));
}

void ClientServicesTest::SetUp() {
    ClientConfigTest::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_EQ(qlsim::InstallClientServices(), DWORD(ERROR_SUCCESS));
}

void ClientServicesTest::TearDown() {
    EXPECT_EQ(qlsim::RemoveClientServices(), DWORD(ERROR_SUCCESS));
    EXPECT_EQ(RegQuery(std::wstring(qlsim::kServicesKey) + L"\\QLDRV", L"Start"), "REG_DWORD 0x3")
        << "the simulated driver must stay startable";
    ClientConfigTest::TearDown();
}

void WriteRaw(const wchar_t* key, const wchar_t* name, DWORD type, const void* data, size_t bytes) {
    HKEY opened = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &opened, nullptr), 0);
    EXPECT_TRUE(qlsim::SetRawValue(opened, name, type, data, DWORD(bytes)));
    RegCloseKey(opened);
}

void WriteUnits(const wchar_t* key, const wchar_t* name, const std::wstring& units, DWORD type) {
    WriteRaw(key, name, type, units.data(), units.size() * sizeof(wchar_t));
}

bool ValueExists(const wchar_t* key, const wchar_t* name) {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key, 0, KEY_READ, &opened)) return false;
    bool exists = RegQueryValueExW(opened, name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    RegCloseKey(opened);
    return exists;
}

size_t OpenHandles() {
    size_t count = 0;
    DWORD flags;
    for (uintptr_t value = 4; value < 0x4000; value += 4)
        if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) ++count;
    return count;
}

std::string RegQuery(const std::wstring& key, const std::wstring& value) {
    wchar_t system[MAX_PATH];
    const std::wstring reg = std::wstring(system, GetSystemDirectoryW(system, MAX_PATH)) + L"\\reg.exe";
    ToolRun run = ToolProcess(reg, L"query \"HKLM\\" + key + L"\" /v \"" + value + L"\"").finish();
    if (run.exitCode != 0) return "";
    run.out.erase(std::remove(run.out.begin(), run.out.end(), '\r'), run.out.end());
    // "    NAME    TYPE    DATA": fields are separated by four spaces.
    const std::string name(value.begin(), value.end());
    const std::string head = "    " + name + "    ";
    size_t at = run.out.find(head);
    if (at == std::string::npos) return "";
    size_t end = run.out.find('\n', at);
    std::string rest = run.out.substr(at + head.size(), end == std::string::npos ? std::string::npos : end - at - head.size());
    size_t gap = rest.find("    ");
    return gap == std::string::npos ? rest + " " : rest.substr(0, gap) + " " + rest.substr(gap + 4);
}

}  // namespace qltest
