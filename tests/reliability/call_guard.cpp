#include "call_guard.h"

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

bool IsFault(DWORD code) {
    switch (code) {
    case EXCEPTION_ACCESS_VIOLATION:
    case EXCEPTION_IN_PAGE_ERROR:
    case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
    case EXCEPTION_DATATYPE_MISALIGNMENT:
    case EXCEPTION_ILLEGAL_INSTRUCTION:
    case EXCEPTION_PRIV_INSTRUCTION:
    case EXCEPTION_INT_DIVIDE_BY_ZERO:
    case EXCEPTION_INT_OVERFLOW:
    case EXCEPTION_STACK_OVERFLOW:
    case EXCEPTION_BREAKPOINT:
    case 0xC0000374:  // heap corruption
    case 0xC0000409:  // stack buffer overrun
        return true;
    default:
        return false;  // among others, C++ exceptions the library throws and catches itself
    }
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

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
    static const double frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return double(f.QuadPart);
    }();
    return double(to.QuadPart - from.QuadPart) * 1000.0 / frequency;
}

}  // namespace

void InstallFaultTrap() { AddVectoredExceptionHandler(1, CatchFault); }

// Not inlined: the builtin setjmp needs a frame of its own.
__attribute__((noinline)) CallOutcome GuardedCall(const ExportEntry& entry, void* function, const uintptr_t* args) {
    Trap& trap = t_trap;  // touched here, so the handler finds it without allocating
    CallOutcome outcome;
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
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
    QueryPerformanceCounter(&end);
    outcome.milliseconds = Milliseconds(start, end);
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
