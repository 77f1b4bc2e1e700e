// The library's strict UTF-16/UTF-8 conversions against an independent
// oracle (utf8_oracle.h: iconv, and the two rules where the library departs
// from it) on arbitrary input: the bytes taken once as UTF-8 and once as
// UTF-16LE units. The two must agree: the same output, or both refusing with
// nothing written; the plain forms give the same text, or the empty one, and
// the length of the UTF-8 form is counted alike. The seeds
// (fuzz/seeds/utf8_differential) hold the bytes and units where the forms
// change: every lead byte's bounds, overlong, cut and badly continued
// sequences, U+FFFE and U+FFFF, surrogates alone, in pairs and before U+E000.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/utf8_text.h"
#include "fuzz/utf8_oracle.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::u16string read, readExpected;
    const bool readsBack = qltest::ExpectedUtf16(bytes, readExpected);
    Require(qlclapi::ConvertFromUtf8(bytes.data(), bytes.size(), read) == readsBack && read == readExpected);
    Require(qlclapi::FromUtf8(bytes) == readExpected);

    std::u16string units;
    for (size_t i = 0; i + 1 < size; i += 2) units += char16_t(data[i] | data[i + 1] << 8);
    std::string written, writtenExpected;
    const bool writes = qltest::ExpectedUtf8(units, writtenExpected);
    Require(qlclapi::ConvertToUtf8(units.data(), units.size(), written) == writes && written == writtenExpected);
    Require(qlclapi::ToUtf8(units) == writtenExpected);
    Require(qlclapi::Utf8Length(units.data(), units.size()) == (writes ? written.size() : qlclapi::kNotConvertible));
    return 0;
}
