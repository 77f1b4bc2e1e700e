// Every listed export called with its arguments pushed by hand: a __cdecl
// export must leave them to its caller, a __stdcall twin must remove exactly
// the bytes its list gives. The header's PFN_ types are held to the same
// lists at compile time, so a wrong convention on either side fails at once.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <vector>

#include "pushed_call.h"
#include "qlclapi.h"
#include "support/simulated_client.h"

namespace qltest {
namespace {

enum class Convention { Cdecl, Stdcall };

// What a PFN_ type tells its caller: who removes the arguments, and how
// many bytes of them it pushes (each argument takes whole 4-byte slots).
template <Convention C, typename... Arguments>
struct PushedBy {
    static constexpr Convention convention = C;
    static constexpr uint32_t argumentBytes = (0u + ... + uint32_t((sizeof(Arguments) + 3) / 4 * 4));
};
template <typename Pointer>
struct CallerView;
template <typename Result, typename... Arguments>
struct CallerView<Result(__cdecl*)(Arguments...)> : PushedBy<Convention::Cdecl, Arguments...> {};
template <typename Result, typename... Arguments>
struct CallerView<Result(__stdcall*)(Arguments...)> : PushedBy<Convention::Stdcall, Arguments...> {};

#define QL_CDECL_EXPORT(name)                                                          \
    static_assert(CallerView<PFN_##name>::convention == Convention::Cdecl, \
                  "PFN_" #name " is not __cdecl, as the export list says");
#define QL_STDCALL_EXPORT(name, bytes)                                                   \
    static_assert(CallerView<PFN_##name>::convention == Convention::Stdcall,             \
                  "PFN_" #name " is not __stdcall, as the export list says");            \
    static_assert(CallerView<PFN_##name>::argumentBytes == (bytes),                      \
                  "PFN_" #name " passes other than the export list's " #bytes " bytes");
#include "listed_exports.inc"
#undef QL_CDECL_EXPORT
#undef QL_STDCALL_EXPORT

struct ListedExport {
    const char* name;
    uint32_t pushedWords;
    int32_t removedByCallee;
};

// A __cdecl export gets at least eight words: more than it reads costs
// nothing when the caller removes them.
constexpr uint32_t kCdeclWords = 8;

#define QL_CDECL_EXPORT(name) {#name, std::max(CallerView<PFN_##name>::argumentBytes / 4, kCdeclWords), 0},
#define QL_STDCALL_EXPORT(name, bytes) {#name, (bytes) / 4, (bytes)},
const ListedExport kListedExports[] = {
#include "listed_exports.inc"
};
#undef QL_CDECL_EXPORT
#undef QL_STDCALL_EXPORT

// Every argument is a pointer to zeroed scratch memory: a buffer, a length
// of 0, a null BSTR, an empty text, an OVERLAPPED without an event. Never
// freed: a request may still write through one after the call (a pending
// state-change wait ends when the library unloads).
std::vector<uint32_t> ScratchWords(uint32_t count) {
    std::vector<uint32_t> words;
    for (uint32_t i = 0; i < count; ++i) {
        void* scratch = VirtualAlloc(nullptr, 16384, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
        words.push_back(uint32_t(uintptr_t(scratch)));
    }
    return words;
}

class StackBalance : public SimulatedClientTest, public testing::WithParamInterface<ListedExport> {};

TEST_P(StackBalance, CalleeRemovesWhatItsConventionSays) {
    const ListedExport& listed = GetParam();
    auto library = loadLibrary();
    FARPROC entry = library->find(listed.name);
    ASSERT_NE(entry, nullptr) << "qlclapi.dll does not export " << listed.name;
    std::vector<uint32_t> words = ScratchWords(listed.pushedWords);
    for (uint32_t word : words) ASSERT_NE(word, 0u);
    int32_t removed = -1;
    QlCallWithPushedWords(reinterpret_cast<const void*>(entry), words.data(), uint32_t(words.size()), &removed);
    EXPECT_EQ(removed, listed.removedByCallee)
        << listed.name << (listed.removedByCallee ? " must remove its arguments (__stdcall)"
                                                  : " must leave its arguments to the caller (__cdecl)");
}

INSTANTIATE_TEST_SUITE_P(Listed, StackBalance, testing::ValuesIn(kListedExports),
                         [](const testing::TestParamInfo<ListedExport>& info) { return std::string(info.param.name); });

// The measuring call itself, on functions of known conventions: the first
// word must arrive as the first argument, and the removed bytes must read
// as the convention has them.
uint32_t __cdecl CdeclFirstMinusSecond(uint32_t first, uint32_t second) { return first - second; }
uint32_t __stdcall StdcallFirstMinusThird(uint32_t first, uint32_t, uint32_t third) { return first - third; }
uint32_t __stdcall StdcallNothing() { return 7; }

struct KnownCase {
    const char* name;
    const void* function;
    std::vector<uint32_t> words;
    uint32_t result;
    int32_t removed;
};

TEST(PushedCall, ReadsTheConventionOfKnownFunctions) {
    const KnownCase cases[] = {
        {"cdecl", reinterpret_cast<const void*>(&CdeclFirstMinusSecond), {50, 8}, 42, 0},
        {"cdeclWithSpareWords", reinterpret_cast<const void*>(&CdeclFirstMinusSecond), {50, 8, 1, 2, 3}, 42, 0},
        {"stdcall", reinterpret_cast<const void*>(&StdcallFirstMinusThird), {50, 1, 8}, 42, 12},
        {"stdcallNoArguments", reinterpret_cast<const void*>(&StdcallNothing), {}, 7, 0},
    };
    for (const KnownCase& c : cases) {
        int32_t removed = -1;
        EXPECT_EQ(QlCallWithPushedWords(c.function, c.words.data(), uint32_t(c.words.size()), &removed), c.result)
            << c.name;
        EXPECT_EQ(removed, c.removed) << c.name;
    }
}

}  // namespace
}  // namespace qltest
