// One call of an export under watch: a fault inside it (an access violation
// at a guard page, an illegal instruction, ...) is caught by a vectored
// handler of the suite's own and the thread jumps back here, so that the
// suite goes on and counts it; the call is timed, and the process heaps can
// be validated after it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "export_table.h"

namespace qlrel {

struct CallOutcome {
    bool faulted = false;
    DWORD code = 0;         // the exception code of a fault
    uintptr_t address = 0;  // the data address an access violation touched
    bool write = false;     // whether that access was a write
    double milliseconds = 0;
    uint64_t result = 0;
};

// Installs the suite's fault handler; once, before any guarded call.
void InstallFaultTrap();

CallOutcome GuardedCall(const ExportEntry& entry, void* function, const uintptr_t* args);

// Empty, or which process heap HeapValidate rejected.
std::string HeapDamage();

std::string DescribeFault(const CallOutcome& outcome);

}  // namespace qlrel
