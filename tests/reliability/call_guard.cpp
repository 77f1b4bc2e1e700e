#include "call_guard.h"

#include <chrono>
#include <cstdio>

namespace qlrel {

namespace {

// The jump target of one thread's call in progress. GCC's builtin setjmp
// keeps five words and unwinds nothing, which is what leaving a fault
// inside foreign code needs.
struct Trap {
    void* jump[5];
    volatile bool armed;
    DWORD code;
    uintptr_t address;
    bool write;
};
thread_local Trap t_trap;

// Errors (access violations, illegal instructions, heap corruption, stack
// buffer overruns, ...), breakpoints and misalignment; not, among others,
// the C++ exceptions the library throws and catches itself.
bool IsFault(DWORD code) {
    return (code & 0xF0000000u) == 0xC0000000u || code == EXCEPTION_BREAKPOINT ||
           code == EXCEPTION_DATATYPE_MISALIGNMENT;
}

LONG CALLBACK CatchFault(EXCEPTION_POINTERS* pointers) {
    Trap& trap = t_trap;
    const EXCEPTION_RECORD* record = pointers->ExceptionRecord;
    if (!trap.armed || !IsFault(record->ExceptionCode)) return EXCEPTION_CONTINUE_SEARCH;
    trap.armed = false;
    trap.code = record->ExceptionCode;
    trap.address = record->NumberParameters >= 2 ? record->ExceptionInformation[1] : 0;
    trap.write = record->NumberParameters >= 2 && record->ExceptionInformation[0] == 1;
    __builtin_longjmp(trap.jump, 1);
}

}  // namespace

void InstallFaultTrap() { AddVectoredExceptionHandler(1, CatchFault); }

// Not inlined: the builtin setjmp needs a frame of its own.
__attribute__((noinline)) CallOutcome GuardedCall(const ExportEntry& entry, void* function, const uintptr_t* args) {
    Trap& trap = t_trap;  // touched here, so the handler finds it without allocating
    CallOutcome outcome;
    const auto start = std::chrono::steady_clock::now();
    if (__builtin_setjmp(trap.jump) == 0) {
        trap.armed = true;
        outcome.result = entry.call(function, args);
        trap.armed = false;
    } else {
        outcome.faulted = true;
        outcome.code = trap.code;
        outcome.address = trap.address;
        outcome.write = trap.write;
    }
    outcome.milliseconds = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    return outcome;
}

std::string HeapDamage() {
    HANDLE heaps[256];
    const DWORD count = GetProcessHeaps(256, heaps);
    for (DWORD i = 0; i < count && i < 256; ++i)
        if (!HeapValidate(heaps[i], 0, nullptr)) {
            char text[64];
            snprintf(text, sizeof text, "heap %p fails validation", heaps[i]);
            return text;
        }
    return "";
}

std::string DescribeFault(const CallOutcome& outcome) {
    char text[128];
    if (outcome.code == EXCEPTION_ACCESS_VIOLATION)
        snprintf(text, sizeof text, "access violation %s %p", outcome.write ? "writing" : "reading",
                 reinterpret_cast<void*>(outcome.address));
    else
        snprintf(text, sizeof text, "exception 0x%08lX", static_cast<unsigned long>(outcome.code));
    return text;
}

}  // namespace qlrel
