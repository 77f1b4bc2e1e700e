#include "export_table.h"

#include <windows.h>

#include <algorithm>
#include <tuple>
#include <utility>

#include "qlclapi.h"

namespace qlrel {

namespace {

template <typename Pfn>
struct Signature;
template <typename R, typename... A>
struct Signature<R (*)(A...)> {
    using Return = R;
    using Arguments = std::tuple<A...>;
    static constexpr size_t kArity = sizeof...(A);
};
#if defined(__i386__)
template <typename R, typename... A>
struct Signature<R(__stdcall*)(A...)> : Signature<R (*)(A...)> {};
#endif

template <typename T>
uint64_t Widen(T value) {
    if constexpr (std::is_pointer_v<T>) return reinterpret_cast<uintptr_t>(value);
    else return static_cast<uint64_t>(static_cast<std::make_unsigned_t<T>>(value));
}

// The arguments cast to the export's own parameter types ((P) converts a
// word to a pointer or to a number alike).
template <typename Pfn, size_t... I>
uint64_t CallWith(void* function, const uintptr_t* args, std::index_sequence<I...>) {
    using Arguments = typename Signature<Pfn>::Arguments;
    return Widen(reinterpret_cast<Pfn>(function)((std::tuple_element_t<I, Arguments>)args[I]...));
}

template <typename Pfn>
uint64_t Call(void* function, const uintptr_t* args) {
    return CallWith<Pfn>(function, args, std::make_index_sequence<Signature<Pfn>::kArity>());
}

template <typename Pfn, Shape... S, size_t... I>
constexpr bool AllCarried(std::index_sequence<I...>) {
    using Arguments = typename Signature<Pfn>::Arguments;
    return (Carries<S, std::tuple_element_t<I, Arguments>>() && ...);
}

// An export with its shapes, held to its declaration in qlclapi.h.
template <typename Pfn, Result R, Shape... S>
ExportEntry Described(const char* name, std::vector<size_t> required) {
    static_assert(sizeof...(S) == Signature<Pfn>::kArity,
                  "the .shapes line of this export names another number of arguments than qlclapi.h declares");
    static_assert(AllCarried<Pfn, S...>(std::make_index_sequence<sizeof...(S)>()),
                  "a shape in the .shapes line of this export does not fit the parameter qlclapi.h declares");
    static_assert(Returns<R, typename Signature<Pfn>::Return>(),
                  "the result in the .shapes line of this export does not fit what qlclapi.h declares");
    return ExportEntry{name, true, true, R, {S...}, std::move(required), &Call<Pfn>};
}

}  // namespace

const std::vector<ExportEntry>& Exports() {
    static const std::vector<ExportEntry> exports = {
#include "export_table.inc"
    };
    return exports;
}

std::string ShapeProblem(const ExportEntry& entry) {
    auto is = [&](size_t i, std::initializer_list<Shape> any) {
        return i < entry.shapes.size() && std::count(any.begin(), any.end(), entry.shapes[i]) > 0;
    };
    // Every buffer right before its length and every address array right
    // before its count; no length or count anywhere else. (i - 1 wraps past
    // the end for i = 0.)
    for (size_t i = 0; i <= entry.shapes.size(); ++i) {
        if (is(i - 1, {Shape::buffer, Shape::wbuffer}) != is(i, {Shape::bytes_in, Shape::bytes_inout}))
            return "a buffer and its bytes_in or bytes_inout are not side by side";
        if (is(i - 1, {Shape::sockaddr_array}) != is(i, {Shape::count_inout}))
            return "a sockaddr_array and its count_inout are not side by side";
    }
    return "";
}

}  // namespace qlrel
