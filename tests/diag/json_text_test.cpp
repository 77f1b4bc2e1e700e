// JSON texts of the diagnostics pipe: the exact bytes of a serialised
// request, the parse of replies (strict, bounded nesting, never throwing)
// and the one test of a successful reply.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "diag/json_text.h"

namespace {

using namespace qlclapi;

std::string Nested(size_t depth) { return std::string(depth, '[') + std::string(depth, ']'); }

TEST(SerializeCompact, SortsMembersEscapesAndKeepsBytes) {
    struct Case {
        const char* name;
        JsonValue value;
        std::string text;
    };
    JsonValue mixed = JsonValue::object();
    mixed["type"] = "t";
    mixed["Zed"] = "upper case sorts first";
    mixed["\xC3\xA9"] = "non-ASCII sorts last";
    mixed["a b"] = JsonValue::array({1, -2, 2.5, true, nullptr, JsonValue::object()});
    const Case kCases[] = {
        {"MembersInByteOrder", mixed,
         R"({"Zed":"upper case sorts first","a b":[1,-2,2.5,true,null,{}],"type":"t",)"
         "\"\xC3\xA9\":\"non-ASCII sorts last\"}"},
        {"Escapes", JsonValue("q\"b\\s/\b\f\n\r\t\x01\x1f\x7f"), R"("q\"b\\s/\b\f\n\r\t\u0001\u001f)" "\x7f\""},
        {"LoneLowSurrogateBytesPassThrough", JsonValue("\xED\xB0\x80"), "\"\xED\xB0\x80\""},
        {"ZeroByte", JsonValue(std::string("a\0b", 3)), R"("a\u0000b")"},
        {"EmptyObject", JsonValue::object(), "{}"},
        {"Null", JsonValue(), "null"},
    };
    for (const Case& c : kCases) EXPECT_EQ(SerializeCompact(c.value), c.text) << c.name;
}

TEST(SerializeCompact, AgreesWithTheLibrarysDumpOnValidText) {
    for (const char* text : {R"({"b":{"c":[1,2,{"d":"\u00e9\u2028\ud83d\ude00"}]},"a":1.5e300,"e":-0.0,"f":18446744073709551615})",
                             R"(["\u0000\u001f\"\\\/", 1e-7, 123456789012345678])"}) {
        JsonValue value = JsonValue::parse(text);
        EXPECT_EQ(SerializeCompact(value), value.dump()) << text;
    }
}

TEST(SerializeCompact, RefusesNestingBeyondTheBound) {
    EXPECT_NO_THROW(SerializeCompact(JsonValue::parse(Nested(kMaxJsonNesting))));
    JsonValue deep = JsonValue::array();
    for (size_t i = 0; i < kMaxJsonNesting; ++i) deep = JsonValue::array({std::move(deep)});
    EXPECT_THROW(SerializeCompact(deep), std::length_error);
}

TEST(ParseJsonText, GivesNullForAnythingButOneBoundedJsonText) {
    struct Case {
        const char* name;
        std::string text;
        bool parses;
    };
    const Case kCases[] = {
        {"Object", R"( {"status":"success"} )", true},
        {"Scalar", "42", true},
        {"Empty", "", false},
        {"Garbage", "\x01\xff garbage", false},
        {"TrailingText", R"({"a":1} x)", false},
        {"TwoTexts", "{}{}", false},
        {"Truncated", R"({"status":"succ)", false},
        {"InvalidUtf8InString", "\"\xC3\x28\"", false},
        {"LoneSurrogateEscape", R"("\udc00")", false},
        {"NumberOverflow", "1e400", false},
        {"DeepestAllowed", Nested(kMaxJsonNesting), true},
        {"TooDeep", Nested(kMaxJsonNesting + 1), false},
        {"TooDeepUnclosed", std::string(100000, '['), false},
        {"BracketsInStringsDoNotCount", "\"" + std::string(1000, '[') + "\\\"" + std::string(1000, '{') + "\"", true},
    };
    for (const Case& c : kCases) {
        JsonValue value = ParseJsonText(c.text);
        EXPECT_EQ(!value.is_null(), c.parses) << c.name;
    }
    EXPECT_TRUE(ParseJsonText(std::u16string(u"{\"k\":\"\u00e9\"}"))["k"] == "\xC3\xA9");
    EXPECT_TRUE(ParseJsonText(u"[" + std::u16string(kMaxJsonNesting, u'[') + u"]").is_null());
}

TEST(IsSuccessReply, OnlyAStatusMemberHoldingExactlySuccess) {
    struct Case {
        std::string reply;
        bool success;
    };
    const Case kCases[] = {
        {R"({"status":"success"})", true},
        {R"({"extra":[1,2],"status":"success","z":null})", true},
        {R"({"status":"Success"})", false},
        {R"({"status":"success "})", false},
        {R"({"status":"succes"})", false},
        {R"({"status":true})", false},
        {R"({"status":["success"]})", false},
        {R"({"result":"success"})", false},
        {R"({"Status":"success"})", false},
        {R"(["success"])", false},
        {R"("success")", false},
        {"{}", false},
        {"", false},
    };
    for (const Case& c : kCases) EXPECT_EQ(IsSuccessReply(ParseJsonText(c.reply)), c.success) << c.reply;
}

}  // namespace
