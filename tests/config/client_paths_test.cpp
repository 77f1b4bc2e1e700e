// Registry paths built in fixed buffers: the client keys, the name held by
// CurrentSubkey, and a user's own key below the current state key. Text that
// does not fit is cut, never refused, and the buffer is always terminated.
#include <gtest/gtest.h>

#include <string>

#include "config/client_key_path.h"
#include "config/settings_user_path.h"

namespace {

using namespace qlclapi;
using std::u16string;

TEST(ClientPaths, AppendIsBoundedAndSaysWhetherItCut) {
    const struct {
        u16string start, text;
        size_t capacity;
        u16string result;
        bool whole;
    } cases[] = {{u"ab", u"cd", 5, u"abcd", true}, {u"ab", u"cde", 5, u"abcd", false},
                 {u"", u"", 1, u"", true},         {u"", u"x", 1, u"", false},
                 {u"abcdef", u"", 3, u"ab", true}};  // a start longer than the capacity is cut
    for (const auto& c : cases) {
        u16string buffer = c.start + u'\0' + u16string(8, u'#');
        const char16_t beyond = buffer[c.capacity];
        EXPECT_EQ(AppendBounded(&buffer[0], c.capacity, c.text.c_str()), c.whole) << c.capacity;
        EXPECT_EQ(buffer.substr(0, c.result.size() + 1), c.result + u'\0');
        EXPECT_EQ(buffer[c.capacity], beyond) << "written past the capacity";
    }
}

TEST(ClientPaths, ClientKeyPathsAreCutAt255Characters) {
    const u16string state = u"SYSTEM\\CurrentControlSet\\Services\\QLDRV\\Params\\Vorantis Client State";
    const u16string params = u"SYSTEM\\CurrentControlSet\\Services\\QLDRV\\Params\\Vorantis Client";
    const u16string x300(300, u'x');
    const struct {
        ClientKey which;
        const char16_t* current;
        const char16_t* subkey;
        u16string path;
    } cases[] = {{1, nullptr, nullptr, params},
                 {2, nullptr, nullptr, state},
                 {0, u"Cur", nullptr, state},  // any selector but 1 and 3 is the state key
                 {-7, nullptr, u"Settings", state + u"\\Settings"},
                 {3, u"Cur", u"Settings", state + u"\\Cur\\Settings"},
                 {2, nullptr, x300.c_str(), (state + u"\\" + x300).substr(0, 255)}};
    for (const auto& c : cases) {
        char16_t path[kClientKeyPathUnits + 1];
        path[kClientKeyPathUnits] = u'#';
        BuildClientKeyPath(c.which, c.current, c.subkey, reinterpret_cast<char16_t(&)[kClientKeyPathUnits]>(path));
        EXPECT_EQ(u16string(path), c.path) << c.which;
        EXPECT_EQ(path[kClientKeyPathUnits], u'#');
    }
}

TEST(ClientPaths, CurrentSubkeyNamesOfOneTo127Characters) {
    const u16string c127(127, u'c'), c128(128, u'c');
    const struct {
        u16string value;  // as stored, terminator included when there is one
        uint32_t bytes;   // as the registry reports them
        u16string name;   // empty: refused
    } cases[] = {{u16string(1, 0), 2, u""},
                 {u"A", 2, u""},  // fewer than two units
                 {u16string(u"A") + u'\0', 4, u"A"},
                 {u"Ab", 4, u"Ab"},
                 {u"Ab", 5, u"Ab"},  // odd: the last byte is dropped
                 {u"Abc", 4, u"Ab"},  // only the bytes reported are read
                 {c127 + u'\0', 256, c127},
                 {c127, 254, c127},
                 {c128, 256, u""}};
    for (const auto& c : cases) {
        char16_t name[kCurrentSubkeyUnits];
        const u16string padded = c.value + u16string(4, u'z');
        const bool ok = CurrentSubkeyName(padded.c_str(), c.bytes, name);
        EXPECT_EQ(ok, !c.name.empty()) << c.bytes;
        EXPECT_EQ(u16string(name), c.name) << c.bytes;
    }
}

TEST(ClientPaths, UserKeyPaths) {
    const struct {
        const char16_t *prefix, *user, *domain;
        bool desktop;
        size_t capacity;
        u16string path;
    } cases[] = {
        {u"Pre", u"alice", u"CORP", true, 256, u"Pre\\Desktop Users\\alice@CORP"},
        {nullptr, u"alice", nullptr, false, 256, u"Vorantis Users\\alice"},
        {u"", u"", u"", false, 256, u"Vorantis Users\\__NOBODY__"},
        {nullptr, nullptr, u"CORP", false, 256, u"Vorantis Users\\__NOBODY__@CORP"},
        {u"Pre", u"alice", u"CORP", false, 13, u"Pre\\Vorantis"},
        {nullptr, u"alice", nullptr, true, 1, u""},
    };
    for (const auto& c : cases) {
        u16string buffer(c.capacity + 1, u'#');
        BuildUserKeyPath(&buffer[0], c.capacity, c.prefix, c.user, c.domain, c.desktop);
        EXPECT_EQ(u16string(buffer.c_str()), c.path);
        EXPECT_EQ(buffer[c.capacity], u'#') << "written past the capacity";
    }
    char16_t untouched = u'#';
    BuildUserKeyPath(&untouched, 0, nullptr, u"alice", nullptr, false);
    EXPECT_EQ(untouched, u'#');
    BuildUserKeyPath(nullptr, 256, nullptr, u"alice", nullptr, false);  // nothing to write into
}

}  // namespace
