// JSON texts of the diagnostics pipe: the nesting bound against the JSON
// library's own parser, the parse of replies (strict, never throwing) and
// the one test of a successful reply. The serialised bytes: the requests in
// diag_messages_test.cpp, and the diag_reply fuzz target (as the JSON
// library's own dump would write them), whose corpus every unit run replays.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <random>

#include "diag/json_text.h"

namespace {

using namespace qlclapi;

std::string Nested(size_t depth) { return std::string(depth, '[') + std::string(depth, ']'); }

TEST(SerializeCompact, RefusesNestingBeyondTheBound) {
    EXPECT_NO_THROW(SerializeCompact(JsonValue::parse(Nested(kMaxJsonNesting))));
    JsonValue deep = JsonValue::array();
    for (size_t i = 0; i < kMaxJsonNesting; ++i) deep = JsonValue::array({std::move(deep)});
    EXPECT_THROW(SerializeCompact(deep), std::length_error);
}

// The deepest nesting of a valid text as the JSON library's own parser
// sees it.
struct DepthCounter : nlohmann::json_sax<JsonValue> {
    size_t depth = 0, deepest = 0;
    bool open() { return deepest = std::max(deepest, ++depth), true; }
    bool close() { return --depth, true; }
    bool null() override { return true; }
    bool boolean(bool) override { return true; }
    bool number_integer(number_integer_t) override { return true; }
    bool number_unsigned(number_unsigned_t) override { return true; }
    bool number_float(number_float_t, const string_t&) override { return true; }
    bool string(string_t&) override { return true; }
    bool binary(binary_t&) override { return true; }
    bool start_object(std::size_t) override { return open(); }
    bool key(string_t&) override { return true; }
    bool end_object() override { return close(); }
    bool start_array(std::size_t) override { return open(); }
    bool end_array() override { return close(); }
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override { return false; }
};

// A random valid text whose strings are full of brackets, quotes and
// backslashes, which must not count.
std::string RandomText(std::mt19937& random, int depth) {
    switch (depth > 0 ? random() % 4 : 3) {
    case 0:
    case 1: {
        const bool object = random() % 2;
        std::string text(1, object ? '{' : '[');
        for (int n = random() % 4; n > 0; --n) {
            if (text.size() > 1) text += ',';
            if (object) text += "\"k\":";
            text += RandomText(random, depth - 1);
        }
        return text + (object ? '}' : ']');
    }
    case 2: return "1";
    default: {
        const char* pieces[] = {"[", "]", "{", "}", "\\\"", "\\\\", "a", "\\\\\\\""};
        std::string text = "\"";
        for (int n = random() % 6; n > 0; --n) text += pieces[random() % 8];
        return text + '"';
    }
    }
}

TEST(NestingWithin, AgreesWithTheParserOnRandomTexts) {
    std::mt19937 random(3);
    for (int round = 0; round < 3000; ++round) {
        const std::string text = RandomText(random, 6);
        DepthCounter counter;
        ASSERT_TRUE(JsonValue::sax_parse(text, &counter)) << text;
        const std::u16string wide(text.begin(), text.end());
        for (size_t limit = 0; limit <= 7; ++limit) {
            ASSERT_EQ(NestingWithin(text.data(), text.size(), limit), counter.deepest <= limit) << text << " " << limit;
            ASSERT_EQ(NestingWithin(wide.data(), wide.size(), limit), counter.deepest <= limit) << text;
        }
    }
    // Closing brackets that close nothing do not open room for more.
    EXPECT_FALSE(NestingWithin("][[[", 4, 2));
}

TEST(ParseJsonText, GivesNullForAnythingButOneBoundedJsonText) {
    const std::pair<std::string, bool> kCases[] = {
        {R"( {"status":"success"} )", true},
        {"42", true},
        {"", false},
        {"\x01\xff garbage", false},
        {R"({"a":1} x)", false},
        {"{}{}", false},
        {R"({"status":"succ)", false},
        {"\"\xC3\x28\"", false},
        {R"("\udc00")", false},
        {"1e400", false},
        {Nested(kMaxJsonNesting), true},
        {Nested(kMaxJsonNesting + 1), false},
        {std::string(100000, '['), false},
    };
    for (const auto& c : kCases) EXPECT_EQ(!ParseJsonText(c.first).is_null(), c.second) << c.first.substr(0, 40);
    EXPECT_TRUE(ParseJsonText(std::u16string(u"{\"k\":\"\u00e9\"}"))["k"] == "\xC3\xA9");
    EXPECT_TRUE(ParseJsonText(u"[" + std::u16string(kMaxJsonNesting, u'[') + u"]").is_null());
}

TEST(IsSuccessReply, OnlyAStatusMemberHoldingExactlySuccess) {
    const std::pair<const char*, bool> kCases[] = {
        {R"({"status":"success"})", true},
        {R"({"extra":[1,2],"status":"success","z":null})", true},
        {R"({"status":"Success"})", false},
        {R"({"status":"success "})", false},
        {R"({"status":"succes"})", false},
        {R"({"status":true})", false},
        {R"({"status":["success"]})", false},
        {R"({"result":"success"})", false},
        {R"(["success"])", false},
        {R"("success")", false},
        {"{}", false},
        {"", false},
    };
    for (const auto& c : kCases) EXPECT_EQ(IsSuccessReply(ParseJsonText(c.first)), c.second) << c.first;
}

}  // namespace
