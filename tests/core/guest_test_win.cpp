// What a host process sees of the library beyond its exports: loading it
// installs no exception handler. (Load and unload cycles: the reliability
// suite's leak phase.)
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/simulated_client.h"

namespace qltest {
namespace {

using Guest = SimulatedClientTest;

// The vectored handler list of the process, seen from our own markers: a
// handle of AddVectoredExceptionHandler is the handler's list entry, which
// begins with its links to the next and previous entries.
struct HandlerLinks {
    void* next;
    void* previous;
};
const HandlerLinks& LinksOf(void* handler) { return *static_cast<const HandlerLinks*>(handler); }

constexpr DWORD kProbeException = 0xE0514C31;  // a customer code nobody else handles
std::vector<char> g_calls;

template <char Mark>
LONG CALLBACK RecordCall(EXCEPTION_POINTERS* pointers) {
    if (pointers->ExceptionRecord->ExceptionCode != kProbeException) return EXCEPTION_CONTINUE_SEARCH;
    g_calls.push_back(Mark);
    return Mark == 'M' ? EXCEPTION_CONTINUE_EXECUTION : EXCEPTION_CONTINUE_SEARCH;
}

TEST_F(Guest, LoadingInstallsNoVectoredExceptionHandler) {
    // F first and L last before the load; G first and M last after it. A
    // handler the load put at either end would sit between G and F or
    // between L and M.
    void* f = AddVectoredExceptionHandler(1, RecordCall<'F'>);
    void* l = AddVectoredExceptionHandler(0, RecordCall<'L'>);
    auto library = loadLibrary();
    void* g = AddVectoredExceptionHandler(1, RecordCall<'G'>);
    void* m = AddVectoredExceptionHandler(0, RecordCall<'M'>);
    ASSERT_TRUE(f && l && g && m);
    g_calls.clear();
    RaiseException(kProbeException, 0, 0, nullptr);
    const std::string order(g_calls.begin(), g_calls.end());
    const bool gThenF = LinksOf(g).next == f, lThenM = LinksOf(m).previous == l;
    for (void* handler : {m, g, l, f}) RemoveVectoredExceptionHandler(handler);
    EXPECT_EQ(order, "GFLM") << "our handlers ran out of order";
    EXPECT_TRUE(gThenF) << "a handler was added at the head of the list while the library loaded";
    EXPECT_TRUE(lThenM) << "a handler was added at the tail of the list while the library loaded";
}

}  // namespace
}  // namespace qltest
