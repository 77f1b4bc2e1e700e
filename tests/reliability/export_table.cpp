#include "export_table.h"

#include <windows.h>

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

template <typename P>
P Cast(uintptr_t value) {
    if constexpr (std::is_pointer_v<P>)
        return reinterpret_cast<P>(value);
    else
        return static_cast<P>(value);
}

template <typename T>
uint64_t Widen(T value) {
    if constexpr (std::is_pointer_v<T>)
        return reinterpret_cast<uintptr_t>(value);
    else
        return static_cast<uint64_t>(static_cast<std::make_unsigned_t<T>>(value));
}

template <typename Pfn, size_t... I>
uint64_t CallWith(void* function, const uintptr_t* args, std::index_sequence<I...>) {
    using Arguments = typename Signature<Pfn>::Arguments;
    const Pfn typed = reinterpret_cast<Pfn>(function);
    using Return = typename Signature<Pfn>::Return;
    if constexpr (std::is_void_v<Return>) {
        typed(Cast<std::tuple_element_t<I, Arguments>>(args[I])...);
        return 0;
    } else {
        return Widen(typed(Cast<std::tuple_element_t<I, Arguments>>(args[I])...));
    }
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

[[maybe_unused]] ExportEntry Undescribed(const char* name) {
    return ExportEntry{name, true, false, Result::value, {}, {}, nullptr};
}
[[maybe_unused]] ExportEntry Unlisted(const char* name) {
    return ExportEntry{name, false, true, Result::value, {}, {}, nullptr};
}

}  // namespace

const std::vector<ExportEntry>& Exports() {
    static const std::vector<ExportEntry> exports = {
#include "export_table.inc"
    };
    return exports;
}

std::string ShapeProblem(const ExportEntry& entry) {
    const auto& s = entry.shapes;
    for (size_t i = 0; i < s.size(); ++i) {
        const bool buffer = s[i] == Shape::buffer || s[i] == Shape::wbuffer;
        const bool length = s[i] == Shape::bytes_in || s[i] == Shape::bytes_inout;
        if (buffer && (i + 1 == s.size() || (s[i + 1] != Shape::bytes_in && s[i + 1] != Shape::bytes_inout)))
            return std::string(ShapeName(s[i])) + " is not followed by bytes_in or bytes_inout";
        if (length && (i == 0 || (s[i - 1] != Shape::buffer && s[i - 1] != Shape::wbuffer)))
            return std::string(ShapeName(s[i])) + " does not follow a buffer";
        if (s[i] == Shape::sockaddr_array && (i + 1 == s.size() || s[i + 1] != Shape::count_inout))
            return "sockaddr_array is not followed by count_inout";
        if (s[i] == Shape::count_inout && (i == 0 || s[i - 1] != Shape::sockaddr_array))
            return "count_inout does not follow a sockaddr_array";
    }
    return "";
}

const char* ShapeName(Shape shape) {
    switch (shape) {
#define QLREL_NAME(s) \
    case Shape::s: return #s;
        QLREL_NAME(u32_in) QLREL_NAME(u16_in) QLREL_NAME(u32_out) QLREL_NAME(u16_out) QLREL_NAME(u64_out)
        QLREL_NAME(sockaddr_out) QLREL_NAME(sockaddr_array) QLREL_NAME(count_inout) QLREL_NAME(sockaddr_in)
        QLREL_NAME(buffer) QLREL_NAME(wbuffer) QLREL_NAME(bytes_in) QLREL_NAME(bytes_inout) QLREL_NAME(bstr_out)
        QLREL_NAME(wtext_in) QLREL_NAME(atext_in) QLREL_NAME(overlapped)
#undef QLREL_NAME
    }
    return "?";
}

}  // namespace qlrel
