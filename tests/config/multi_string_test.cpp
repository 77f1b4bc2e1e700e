// The dependency list operations: multi-string sizes, lookups, joins and
// removals without regard to case, within the units a list really has, and
// the plan EditServiceDependency follows for an add or a removal.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/dependency_edit.h"
#include "config/multi_string.h"

namespace {

using namespace qlclapi;
using std::u16string;

// A list from its entries, properly terminated.
u16string List(std::vector<u16string> entries) {
    u16string list;
    for (const auto& entry : entries) list += entry + u'\0';
    return list + u'\0';
}

// What a written list holds, read with no help from the code under test.
std::vector<u16string> Entries(const char16_t* list, size_t units) {
    std::vector<u16string> entries;
    for (size_t at = 0; at < units && list[at];) {
        u16string entry(list + at);
        entries.push_back(entry);
        at += entry.size() + 1;
    }
    return entries;
}

struct ListCase {
    const char* name;
    u16string list;  // the units the list really has
    size_t bytes;    // MultiStringSize
    bool holdsVesserv;
};

const ListCase kLists[] = {
    {"Empty", u16string(1, 0), 2, false},
    {"NoUnitsAtAll", u16string(), 2, false},
    {"One", List({u"VESSERV"}), 16 + 2, true},
    {"OtherCase", List({u"Tcpip", u"vesServ"}), 12 + 16 + 2, true},
    {"Prefix", List({u"VESSERV2", u"VESSER"}), 18 + 14 + 2, false},
    {"EmptyEntryEndsTheList", List({u"Tcpip", u"", u"VESSERV"}), 12 + 2, false},
    // Not properly double-terminated: the list ends at its last unit.
    {"OneTerminatorMissing", u16string(u"Tcpip") + u'\0' + u"VESSERV" + u'\0', 12 + 16 + 2, true},
    {"EntryCutByTheLimit", u16string(u"Tcpip") + u'\0' + u"VESSERV", 12 + 16 + 2, true},
};

TEST(MultiString, JoinAndRemoveWriteProperlyTerminatedLists) {
    const u16string list = u16string(u"Tcpip") + u'\0' + u"vesserv" + u'\0' + u"RpcSs";  // cut, no final terminator
    const struct {
        const char* name;
        bool remove, atEnd;
        const char16_t* entry;
        size_t capacity;
        std::vector<u16string> result;
        size_t bytes;
    } cases[] = {
        {"JoinAtEnd", false, true, u"QLX", 64, {u"Tcpip", u"vesserv", u"RpcSs", u"QLX"}, (6 + 8 + 6 + 4 + 1) * 2},
        {"JoinInFront", false, false, u"QLX", 64, {u"QLX", u"Tcpip", u"vesserv", u"RpcSs"}, (6 + 8 + 6 + 4 + 1) * 2},
        {"JoinExactFit", false, true, u"QLX", 25, {u"Tcpip", u"vesserv", u"RpcSs", u"QLX"}, 50},
        {"JoinOneShort", false, true, u"QLX", 24, {}, 0},
        {"JoinNameDoesNotFitInFront", false, false, u"QLX", 3, {}, 0},
        {"RemoveAnyCase", true, false, u"VESSERV", 64, {u"Tcpip", u"RpcSs"}, (6 + 6 + 1) * 2},
        {"RemoveAbsent", true, false, u"Other", 64, {u"Tcpip", u"vesserv", u"RpcSs"}, (6 + 8 + 6 + 1) * 2},
        {"RemoveOneShort", true, false, u"Other", 20, {}, 0},
    };
    for (const auto& c : cases) {
        std::vector<char16_t> out(c.capacity + 1, u'#');
        size_t bytes = c.remove ? MultiStringRemove(out.data(), c.capacity, list.data(), list.size(), c.entry)
                                : MultiStringJoin(out.data(), c.capacity, list.data(), list.size(), c.entry, c.atEnd);
        EXPECT_EQ(bytes, c.bytes) << c.name;
        EXPECT_EQ(out[c.capacity], u'#') << c.name << ": written past the capacity";
        if (!bytes) continue;
        EXPECT_EQ(Entries(out.data(), c.capacity), c.result) << c.name;
        EXPECT_EQ(out[bytes / 2 - 1], 0) << c.name;
        EXPECT_EQ(out[bytes / 2 - 2], 0) << c.name;
    }
    // Removing the only entry leaves the empty list and reports no entry.
    const u16string one = List({u"VESSERV"});
    char16_t out[8] = {u'#', u'#'};
    EXPECT_EQ(MultiStringRemove(out, 8, one.data(), one.size(), u"vesserv"), 0u);
    EXPECT_EQ(out[0], 0);
    EXPECT_EQ(MultiStringJoin(out, 8, one.data(), one.size(), u"", true), 0u);
    EXPECT_FALSE(WriteDependencyList(kDependencyAdd, nullptr, 0, one.data(), one.size(), u"QLX"));
    EXPECT_FALSE(WriteDependencyList(kDependencyAdd, out, 0, one.data(), one.size(), u"QLX"));
}

TEST(MultiString, NamesCompareWithoutRegardToLetterCaseOnly) {
    const struct {
        const char16_t *a, *b;
        bool same;
    } cases[] = {{u"VESSERV", u"vesServ", true}, {u"", u"", true},         {u"abc", u"abd", false},
                 {u"abc", u"abcd", false},       {u"abcd", u"abc", false}, {u"\u00c9", u"\u00e9", false},
                 {u"[", u"{", false},            {nullptr, u"a", false},   {u"a", nullptr, false}};
    for (const auto& c : cases) EXPECT_EQ(SameNameIgnoringCase(c.a, c.b), c.same) << (c.a ? "" : "null");
}

TEST(DependencyEdit, AddsOnceAndRemovesInAnyCase) {
    const struct {
        const char* name;
        uint32_t mode;
        u16string list;
        bool force;
        bool change;
        std::vector<u16string> newList;  // empty with change: the call passes no list
        uint32_t serviceType;
        ConfigStatus result;             // when nothing changes
    } cases[] = {
        {"AddToEmpty", 1, u16string(1, 0), false, true, {u"VESSERV"}, kServiceNoChange, 0},
        {"AddAppends", 1, List({u"Tcpip", u"RpcSs"}), false, true, {u"Tcpip", u"RpcSs", u"VESSERV"}, kServiceNoChange, 0},
        {"AddPresentInOtherCase", 1, List({u"Vesserv"}), false, false, {}, kServiceNoChange, kConfigFailed},
        {"AddPresentForced", 1, List({u"VESSERV"}), true, true, {}, kServiceOwnProcess, 0},
        {"AddForcedAppends", 1, List({u"Tcpip"}), true, true, {u"Tcpip", u"VESSERV"}, kServiceOwnProcess, 0},
        {"AddToUnterminatedList", 1, u16string(u"Tcpip"), false, true, {u"Tcpip", u"VESSERV"}, kServiceNoChange, 0},
        {"RemoveOtherCase", 0, List({u"Tcpip", u"vesSERV", u"RpcSs"}), false, true, {u"Tcpip", u"RpcSs"}, kServiceNoChange, 0},
        {"RemoveEveryCopy", 0, List({u"VESSERV", u"vesserv"}), false, true, {}, kServiceNoChange, 0},
        {"RemoveAbsent", 0, List({u"Tcpip"}), false, false, {}, kServiceNoChange, kConfigOk},
        {"RemoveFromEmpty", 0, u16string(1, 0), false, false, {}, kServiceNoChange, kConfigOk},
        {"OtherMode", 2, List({u"VESSERV"}), false, false, {}, kServiceNoChange, kConfigFailed},
    };
    for (const auto& c : cases) {
        DependencyEditPlan plan = PlanDependencyEdit(c.mode, c.list.data(), c.list.size(), u"VESSERV", c.force);
        EXPECT_EQ(plan.change, c.change) << c.name;
        EXPECT_EQ(plan.serviceType, c.serviceType) << c.name;
        if (!plan.change) {
            EXPECT_EQ(plan.result, c.result) << c.name;
            continue;
        }
        if (!plan.newListUnits) {
            EXPECT_TRUE(c.newList.empty()) << c.name;
            continue;
        }
        std::vector<char16_t> written(plan.newListUnits, u'#');
        ASSERT_TRUE(WriteDependencyList(c.mode, written.data(), written.size(), c.list.data(), c.list.size(),
                                        u"VESSERV"))
            << c.name;
        EXPECT_EQ(Entries(written.data(), written.size()), c.newList) << c.name;
        EXPECT_EQ(written.back(), 0) << c.name << ": the list must end in its final terminator";
    }
}

}  // namespace
