#include "sim_config.h"

#include <cwchar>
#include <iterator>

#include "qlsim_control.h"
#include "registry_raw.h"
#include "scoped_handles.h"

namespace qlsim {

const ClientService kClientServices[6] = {
    {L"VESSERV", SERVICE_WIN32_OWN_PROCESS, SERVICE_AUTO_START, L"C:\\Program Files\\Quorlan\\vesserv.exe"},
    {L"QLUPDATE", SERVICE_WIN32_OWN_PROCESS, SERVICE_AUTO_START, L"C:\\Program Files\\Quorlan\\qlupdate.exe"},
    {L"QLCollector", SERVICE_WIN32_OWN_PROCESS, SERVICE_AUTO_START, L"C:\\Program Files\\Quorlan\\qlcollector.exe"},
    {L"QLFILTER", SERVICE_KERNEL_DRIVER, SERVICE_SYSTEM_START, L"C:\\windows\\system32\\drivers\\qlfilter.sys"},
    {L"QLutilnt", SERVICE_KERNEL_DRIVER, SERVICE_AUTO_START, L"C:\\windows\\system32\\drivers\\qlutilnt.sys"},
    {L"qlvadapter", SERVICE_KERNEL_DRIVER, SERVICE_DEMAND_START, L"C:\\windows\\system32\\drivers\\qlvadapter.sys"},
};

const ClientService kPolicyAgentStandIn = {L"PolicyAgent", SERVICE_WIN32_SHARE_PROCESS, SERVICE_DEMAND_START,
                                           L"C:\\windows\\system32\\svchost.exe -k NetworkServiceNetworkRestricted"};

namespace {

DWORD Create(const wchar_t* path, KeyHandle& key) {
    return RegCreateKeyExW(HKEY_LOCAL_MACHINE, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.receive(),
                           nullptr);
}

DWORD Open(const wchar_t* path, KeyHandle& key) {
    return RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, key.receive());
}

std::wstring PieceName(const wchar_t* name, size_t index) { return std::wstring(name) + L"__" + std::to_wstring(index); }

DWORD InstallService(SC_HANDLE manager, const ClientService& service) {
    ServiceHandle created(CreateServiceW(manager, service.name, service.name, SERVICE_ALL_ACCESS, service.type,
                                   service.start, SERVICE_ERROR_NORMAL, service.image, nullptr, nullptr, nullptr,
                                   nullptr, nullptr));
    if (created.handle) return ERROR_SUCCESS;
    if (GetLastError() != ERROR_SERVICE_EXISTS) return GetLastError();
    ServiceHandle existing(OpenServiceW(manager, service.name, SERVICE_ALL_ACCESS));
    if (!existing.handle) return GetLastError();
    // An empty list ("\0\0") clears what an earlier run left.
    return ChangeServiceConfigW(existing.handle, service.type, service.start, SERVICE_ERROR_NORMAL, service.image,
                                nullptr, nullptr, L"\0", nullptr, nullptr, nullptr)
               ? ERROR_SUCCESS
               : GetLastError();
}

DWORD DeleteNamedService(SC_HANDLE manager, const wchar_t* name) {
    ServiceHandle service(OpenServiceW(manager, name, DELETE));
    if (!service.handle) return GetLastError() == ERROR_SERVICE_DOES_NOT_EXIST ? ERROR_SUCCESS : GetLastError();
    if (!DeleteService(service.handle) && GetLastError() != ERROR_SERVICE_MARKED_FOR_DELETE) return GetLastError();
    return ERROR_SUCCESS;
}

}  // namespace

std::vector<uint8_t> PatternBytes(size_t bytes) {
    std::vector<uint8_t> pattern(bytes);
    uint32_t state = 0x51C0FFEEu;
    for (auto& byte : pattern) {
        state = state * 1103515245u + 12345u;
        byte = uint8_t(state >> 16);
    }
    return pattern;
}

std::vector<uint8_t> DefaultPid() { return PatternBytes(kDefaultPidBytes); }

DWORD WriteChunked(const wchar_t* key, const wchar_t* name, const std::vector<uint8_t>& bytes) {
    KeyHandle opened;
    if (DWORD error = Create(key, opened)) return error;
    size_t offset = 0, index = 0;
    std::wstring piece = name;
    do {
        const DWORD count = DWORD(bytes.size() - offset < kChunkBytes ? bytes.size() - offset : kChunkBytes);
        if (LONG status = RegSetValueExW(opened.get(), piece.c_str(), 0, REG_BINARY,
                                         bytes.empty() ? nullptr : bytes.data() + offset, count))
            return DWORD(status);
        offset += count;
        piece = PieceName(name, index++);
    } while (offset < bytes.size());
    RegDeleteValueW(opened.get(), piece.c_str());
    return ERROR_SUCCESS;
}

bool ReadChunked(const wchar_t* key, const wchar_t* name, std::vector<uint8_t>& bytes, size_t* pieces) {
    bytes.clear();
    if (pieces) *pieces = 0;
    KeyHandle opened;
    if (Open(key, opened)) return false;
    std::wstring piece = name;
    for (size_t index = 0;; ++index) {
        DWORD size = 0;
        if (RegQueryValueExW(opened.get(), piece.c_str(), nullptr, nullptr, nullptr, &size)) return index > 0;
        if (size == 0) return true;
        size_t at = bytes.size();
        bytes.resize(at + size);
        if (RegQueryValueExW(opened.get(), piece.c_str(), nullptr, nullptr, bytes.data() + at, &size)) return false;
        bytes.resize(at + size);
        if (pieces) ++*pieces;
        piece = PieceName(name, index);
    }
}

DWORD WriteText(const wchar_t* key, const wchar_t* name, const std::wstring& text, bool terminated) {
    KeyHandle opened;
    if (DWORD error = Create(key, opened)) return error;
    if (!terminated)  // RegSetValueExW would add the terminator
        return SetRawValue(opened.get(), name, REG_SZ, text.c_str(), DWORD(text.size() * sizeof(wchar_t)))
                   ? ERROR_SUCCESS
                   : ERROR_WRITE_FAULT;
    return DWORD(RegSetValueExW(opened.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                DWORD((text.size() + 1) * sizeof(wchar_t))));
}

DWORD WriteNumber(const wchar_t* key, const wchar_t* name, DWORD value) {
    KeyHandle opened;
    if (DWORD error = Create(key, opened)) return error;
    return DWORD(RegSetValueExW(opened.get(), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value));
}

DWORD RemoveValue(const wchar_t* key, const wchar_t* name) {
    KeyHandle opened;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key, 0, KEY_ALL_ACCESS, opened.receive())) return ERROR_SUCCESS;
    RegDeleteValueW(opened.get(), name);
    for (size_t index = 0, misses = 0; misses < 16; ++index)
        misses = RegDeleteValueW(opened.get(), PieceName(name, index).c_str()) == ERROR_SUCCESS ? 0 : misses + 1;
    return ERROR_SUCCESS;
}

DWORD DeleteKeyTree(const wchar_t* key) {
    LONG status = RegDeleteTreeW(HKEY_LOCAL_MACHINE, key);
    if (status == ERROR_FILE_NOT_FOUND) return ERROR_SUCCESS;
    if (status != ERROR_SUCCESS) return DWORD(status);
    status = RegDeleteKeyW(HKEY_LOCAL_MACHINE, key);
    return status == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : DWORD(status);
}

DWORD SetCurrentSubkey(const std::wstring& name) {
    if (DWORD error = WriteText(kClientStateKey, L"CurrentSubkey", name)) return error;
    KeyHandle subkey;
    return Create((std::wstring(kClientStateKey) + L"\\" + name).c_str(), subkey);
}

bool ReadText(const wchar_t* key, const wchar_t* name, std::wstring& text) {
    KeyHandle opened;
    DWORD type = 0, size = 0;
    if (Open(key, opened) || RegQueryValueExW(opened.get(), name, nullptr, &type, nullptr, &size)) return false;
    std::vector<wchar_t> units(size / sizeof(wchar_t) + 1, 0);
    if (RegQueryValueExW(opened.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(units.data()), &size))
        return false;
    text.assign(units.data());
    return true;
}

bool ReadNumber(const wchar_t* key, const wchar_t* name, DWORD& value) {
    KeyHandle opened;
    DWORD size = sizeof value;
    return !Open(key, opened) &&
           !RegQueryValueExW(opened.get(), name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size) &&
           size == sizeof value;
}

bool ReadValueNames(const wchar_t* key, std::vector<std::wstring>& names) {
    names.clear();
    KeyHandle opened;
    if (Open(key, opened)) return false;
    for (DWORD index = 0;; ++index) {
        wchar_t name[16384];  // the registry's longest value name and its terminator
        DWORD units = DWORD(std::size(name));
        LONG status = RegEnumValueW(opened.get(), index, name, &units, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_NO_MORE_ITEMS) return true;
        if (status != ERROR_SUCCESS) return false;
        names.emplace_back(name, units);
    }
}

bool ReadDependencies(const wchar_t* service, std::vector<std::wstring>& names) {
    names.clear();
    KeyHandle opened;
    DWORD size = 0;
    std::wstring path = std::wstring(kServicesKey) + L"\\" + service;
    if (Open(path.c_str(), opened) || RegQueryValueExW(opened.get(), L"DependOnService", nullptr, nullptr, nullptr, &size))
        return false;
    std::vector<wchar_t> list(size / sizeof(wchar_t) + 2, 0);
    if (RegQueryValueExW(opened.get(), L"DependOnService", nullptr, nullptr, reinterpret_cast<BYTE*>(list.data()), &size))
        return false;
    for (const wchar_t* at = list.data(); *at; at += wcslen(at) + 1) names.push_back(at);
    return true;
}

DWORD InstallClientKeys() {
    KeyHandle params, state;
    if (DWORD error = Create(kClientParamsKey, params)) return error;
    if (DWORD error = Create(kClientStateKey, state)) return error;
    if (DWORD error = SetCurrentSubkey(kDefaultCurrentSubkey)) return error;
    if (DWORD error = WriteChunked(kClientStateKey, L"PID", DefaultPid())) return error;
    if (DWORD error = WriteText(kClientParamsKey, L"VmsAddress", L"")) return error;
    if (DWORD error = WriteChunked(kClientParamsKey, L"VmsCache", {})) return error;
    return WriteNumber(kClientParamsKey, L"Enabled", 1);
}

DWORD RemoveClientKeys() {
    if (DWORD error = DeleteKeyTree(kClientParamsRoot)) return error;
    return DeleteKeyTree(kServiceStateRoot);
}

DWORD InstallClientServices() {
    ServiceHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
    if (!manager.handle) return GetLastError();
    for (const auto& service : kClientServices)
        if (DWORD error = InstallService(manager.handle, service)) return error;
    return InstallService(manager.handle, kPolicyAgentStandIn);
}

DWORD RemoveClientServices() {
    ServiceHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
    if (!manager.handle) return GetLastError();
    DWORD first = ERROR_SUCCESS;
    for (const auto& service : kClientServices)
        if (DWORD error = DeleteNamedService(manager.handle, service.name)) first = first ? first : error;
    if (DWORD error = DeleteNamedService(manager.handle, kPolicyAgentStandIn.name)) first = first ? first : error;
    // A key start-up control created for a service that was not registered
    // is unknown to the manager: delete it directly.
    for (const auto& service : kClientServices)
        DeleteKeyTree((std::wstring(kServicesKey) + L"\\" + service.name).c_str());
    ServiceHandle driver(OpenServiceW(manager.handle, QLSIM_SERVICE_NAME, SERVICE_CHANGE_CONFIG));
    if (driver.handle && !ChangeServiceConfigW(driver.handle, SERVICE_NO_CHANGE, SERVICE_DEMAND_START,
                                              SERVICE_NO_CHANGE, nullptr, nullptr, nullptr, nullptr, nullptr,
                                              nullptr, nullptr))
        first = first ? first : GetLastError();
    return first;
}

}  // namespace qlsim
