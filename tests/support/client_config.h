// Tests of the configuration exports: the client's keys laid down fresh by
// the simulated client for each test and taken away after it, hostile
// values written raw, and Wine's own reg.exe as an independent reader.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "sim_config.h"
#include "support/simulated_client.h"

namespace qltest {

class ClientConfigTest : public SimulatedClientTest {
protected:
    void SetUp() override;
    void TearDown() override;
    Library& library() { return *library_; }

private:
    std::unique_ptr<Library> library_;
};

// The same with the client's services and the stand-in PolicyAgent
// registered; taking them away gives QLDRV back its demand start, which
// start-up control may have taken, so the simulated driver stays startable.
class ClientServicesTest : public ClientConfigTest {
protected:
    void SetUp() override;
    void TearDown() override;
};

// A value of any type and size, exactly as given (no terminator added).
void WriteRaw(const wchar_t* key, const wchar_t* name, DWORD type, const void* data, size_t bytes);
inline void WriteRaw(const wchar_t* key, const wchar_t* name, DWORD type, const std::vector<uint8_t>& bytes) {
    WriteRaw(key, name, type, bytes.data(), bytes.size());
}
// UTF-16 units as stored, exactly these (a terminator only when included).
void WriteUnits(const wchar_t* key, const wchar_t* name, const std::wstring& units, DWORD type = REG_SZ);
bool ValueExists(const wchar_t* key, const wchar_t* name);
using qlsim::DeleteKeyTree;

// Handles open in this process, found by asking about every small handle
// value (Wine's GetProcessHandleCount is a stub).
size_t OpenHandles();

// reg.exe's line for one value below HKEY_LOCAL_MACHINE: "REG_SZ 10.1.2.3:443",
// "REG_BINARY " for an empty binary value; "" when reg.exe finds no value.
std::string RegQuery(const std::wstring& key, const std::wstring& value);

}  // namespace qltest
