// A call whose arguments are pushed by hand, so that the stack pointer
// after the return shows what the callee removed, whatever its caller's
// compiler believes about it.
#pragma once

#include <cstdint>

extern "C" {

// Pushes words[count-1] down to words[0] (words[0] ends up first, as both
// conventions expect), calls `function`, stores in *removedBytes how far
// the stack pointer moved up across the call apart from the return address
// (0 for __cdecl, the argument bytes for __stdcall) and returns the
// function's 32-bit result. The stack pointer is restored afterwards, so a
// callee that removes too much or too little cannot harm the caller.
uint32_t QlCallWithPushedWords(const void* function, const uint32_t* words, uint32_t count, int32_t* removedBytes);
}
