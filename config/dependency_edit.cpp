#include "config/dependency_edit.h"

#include "config/multi_string.h"

namespace qlclapi {

DependencyEditPlan PlanDependencyEdit(uint32_t mode, const char16_t* list, size_t limit, const char16_t* name,
                                      bool force) noexcept {
    DependencyEditPlan plan{false, 0, kServiceNoChange, kConfigFailed};
    if (!name || !name[0]) return plan;
    const bool present = MultiStringContains(list, limit, name);
    if (mode == kDependencyAdd) {
        if (!present) {
            size_t nameLength = 0;
            while (name[nameLength]) ++nameLength;
            plan.change = true;
            plan.newListUnits = MultiStringSize(list, limit) / 2 + nameLength + 1;
        } else if (force) {
            plan.change = true;
        }
        if (force) plan.serviceType = kServiceOwnProcess;
    } else if (mode == kDependencyRemove) {
        if (present) {
            plan.change = true;
            plan.newListUnits = MultiStringSize(list, limit) / 2;
        } else {
            plan.result = kConfigOk;
        }
    }
    return plan;
}

bool WriteDependencyList(uint32_t mode, char16_t* destination, size_t capacity, const char16_t* list,
                         size_t limit, const char16_t* name) noexcept {
    if (!destination || capacity == 0) return false;
    size_t written = 0;
    if (mode == kDependencyAdd) {
        written = MultiStringJoin(destination, capacity, list, limit, name, true) / 2;
        if (!written) return false;
    } else {
        // Removing the only entry leaves the empty list, which is still a list.
        if (capacity < MultiStringSize(list, limit) / 2) return false;
        written = MultiStringRemove(destination, capacity, list, limit, name) / 2;
        if (!written) written = 1;
    }
    // The rest of the room holds no stale units a reader could take for entries.
    for (size_t unit = written; unit < capacity; ++unit) destination[unit] = 0;
    return true;
}

}  // namespace qlclapi
