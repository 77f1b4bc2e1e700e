// What adding or removing one name does to a service's dependency list,
// decided apart from the service control manager so that it builds and is
// tested on any host. EditServiceDependency (service_dependency_win.h)
// reads the list, follows the plan and makes the configuration call.
#pragma once

#include <cstddef>
#include <cstdint>

#include "config/config_status.h"

namespace qlclapi {

enum DependencyMode : uint32_t { kDependencyRemove = 0, kDependencyAdd = 1 };

constexpr uint32_t kServiceNoChange = 0xFFFFFFFF;     // SERVICE_NO_CHANGE
constexpr uint32_t kServiceOwnProcess = 0x10;         // SERVICE_WIN32_OWN_PROCESS

struct DependencyEditPlan {
    bool change;           // make the configuration call
    size_t newListUnits;   // room the new list needs; 0: the call passes no list
    uint32_t serviceType;  // for the configuration call
    ConfigStatus result;   // the result when no call is made
};

// list holds `limit` units read from the service's configuration (see
// multi_string.h for lists that are not properly terminated).
//  - add: a list that already holds the name (in any letter case) gets no
//    new list; without force nothing is changed and the result is
//    0x80000000, with force the call is made with no list and the service
//    type SERVICE_WIN32_OWN_PROCESS. Otherwise the new list is the old one
//    with the name appended.
//  - remove: a list without the name changes nothing and the result is 0;
//    otherwise the new list is the old one without every entry equal to it.
//  - any other mode, or a null or empty name: nothing, 0x80000000.
DependencyEditPlan PlanDependencyEdit(uint32_t mode, const char16_t* list, size_t limit, const char16_t* name,
                                      bool force) noexcept;

// Writes the plan's new list into destination (newListUnits units) and
// zeroes the rest of the room. False when it did not fit.
bool WriteDependencyList(uint32_t mode, char16_t* destination, size_t capacity, const char16_t* list,
                         size_t limit, const char16_t* name) noexcept;

}  // namespace qlclapi
