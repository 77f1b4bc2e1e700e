// The fixed text fields of the records sent to the driver: at most 255
// characters and a terminator, cut without an error; nothing for null.
#include <gtest/gtest.h>

#include <string>

#include "core/text_field.h"

namespace {

TEST(TextField, HoldsAtMost255CharactersAndATerminator) {
    const std::pair<std::wstring, size_t> kTexts[] = {{L"", 0}, {L"bob", 3}, {std::wstring(255, L'x'), 255},
                                                      {std::wstring(256, L'y'), 255}, {std::wstring(300, L'z'), 255}};
    for (const auto& [text, kept] : kTexts) {
        struct {
            qlclapi::TextField field = {};
            wchar_t behind = L'#';
        } record;
        qlclapi::CopyIntoTextField(record.field, text.c_str());
        EXPECT_EQ(std::wstring(record.field), text.substr(0, kept)) << text.size();
        EXPECT_EQ(record.behind, L'#') << text.size();
    }
    qlclapi::TextField field = {L'k'};
    qlclapi::CopyIntoTextField(field, nullptr);
    EXPECT_EQ(field[0], L'k') << "a null text writes nothing";
}

}  // namespace
