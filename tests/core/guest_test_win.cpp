// What a host process sees of the library beyond its exports: loading and
// unloading it again and again leaves no memory or handles behind, and
// loading it installs no exception handler.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/process_usage.h"
#include "support/simulated_client.h"

namespace qltest {
namespace {

using Guest = SimulatedClientTest;

constexpr int kCycles = 200;

TEST_F(Guest, LoadUnloadCyclesLeaveNoMemoryOrHandlesBehind) {
    // The first cycles may settle the loader's and Wine's own caches.
    for (int i = 0; i < 5; ++i) Library().unload();
    const ProcessUsage before = MeasureProcessUsage();
    const uintptr_t handleBefore = NextHandleValue();
    for (int i = 0; i < kCycles; ++i) {
        Library library;
        ASSERT_TRUE(library.loaded()) << "cycle " << i;
    }
    const ProcessUsage after = MeasureProcessUsage();
    const int64_t heapGrowth = int64_t(after.heapBytes) - int64_t(before.heapBytes);
    const int64_t privateGrowth = int64_t(after.privateBytes) - int64_t(before.privateBytes);
    RecordProperty("heap_growth_bytes", std::to_string(heapGrowth));
    printf("%d load/unload cycles: heap %+lld bytes (%+lld blocks), committed private %+lld bytes, handles %lld -> %lld\n",
           kCycles, static_cast<long long>(heapGrowth),
           static_cast<long long>(after.heapBlocks) - static_cast<long long>(before.heapBlocks),
           static_cast<long long>(privateGrowth), static_cast<long long>(before.handles),
           static_cast<long long>(after.handles));
    // A leak of even one small block per cycle would show as 200 blocks.
    EXPECT_LT(heapGrowth, 16 * 1024) << "heap kept across " << kCycles << " cycles";
    EXPECT_LT(int64_t(after.heapBlocks) - int64_t(before.heapBlocks), kCycles / 2);
    EXPECT_LT(privateGrowth, 1024 * 1024);
    ASSERT_GE(before.handles, 0) << "the system does not list this process's handles";
    EXPECT_EQ(after.handles, before.handles) << "handles left open";
    EXPECT_EQ(NextHandleValue(), handleBefore) << "a handle value the library should have given back";
}

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
