#include "config/service_dependency_win.h"

#include <windows.h>

#include "core/heap_buffer.h"
#include "core/win_resource_win.h"

namespace qlclapi {

namespace {

const char16_t* U16(const wchar_t* text) { return reinterpret_cast<const char16_t*>(text); }

// The dependency list inside the configuration the manager returned: the
// units from its start to the end of the block, or none when the pointer
// does not lie inside the block.
size_t ListLimit(const QUERY_SERVICE_CONFIGW* config, DWORD bytes) {
    auto begin = reinterpret_cast<uintptr_t>(config);
    auto list = reinterpret_cast<uintptr_t>(config->lpDependencies);
    if (list < begin + sizeof *config || list >= begin + bytes) return 0;
    return (begin + bytes - list) / sizeof(wchar_t);
}

}  // namespace

ConfigStatus EditServiceDependency(uint32_t mode, const wchar_t* dependency, const wchar_t* service, bool force) {
    if (!service) return kConfigFailed;
    ServiceHandle manager(OpenSCManagerW(nullptr, SERVICES_ACTIVE_DATABASEW, SC_MANAGER_ALL_ACCESS));
    if (!manager.get()) return kConfigFailed;
    ServiceHandle handle(OpenServiceW(manager.get(), service, SERVICE_QUERY_CONFIG | SERVICE_CHANGE_CONFIG));
    if (!handle.get()) return kConfigFailed;
    DWORD needed = 0;
    if (QueryServiceConfigW(handle.get(), nullptr, 0, &needed) || GetLastError() != ERROR_INSUFFICIENT_BUFFER ||
        needed < sizeof(QUERY_SERVICE_CONFIGW))
        return kConfigFailed;
    const DWORD allocated = needed;
    HeapBuffer<uint8_t> configBlock(allocated);
    auto* config = reinterpret_cast<QUERY_SERVICE_CONFIGW*>(configBlock.data());
    // A configuration that grew between the two calls fails the second.
    if (!config || !QueryServiceConfigW(handle.get(), config, allocated, &needed)) return kConfigFailed;

    const size_t limit = ListLimit(config, allocated);
    const char16_t* list = limit ? U16(config->lpDependencies) : nullptr;
    DependencyEditPlan plan = PlanDependencyEdit(mode, list, limit, U16(dependency), force);
    if (!plan.change) return plan.result;

    HeapBuffer<char16_t> newList(plan.newListUnits ? plan.newListUnits : 1);
    if (!newList.ok()) return kConfigFailed;
    if (plan.newListUnits &&
        !WriteDependencyList(mode, newList.data(), plan.newListUnits, list, limit, U16(dependency)))
        return kConfigFailed;
    BOOL changed = ChangeServiceConfigW(handle.get(), plan.serviceType, SERVICE_NO_CHANGE, SERVICE_NO_CHANGE,
                                        nullptr, nullptr, nullptr,
                                        plan.newListUnits ? reinterpret_cast<wchar_t*>(newList.data()) : nullptr, nullptr, nullptr,
                                        nullptr);
    return changed ? kConfigOk : kConfigFailed;
}

}  // namespace qlclapi
