// The pipe to the diagnostics service as QuorlanSetCustomTag sees it: pipe
// instances that are all busy, replies of any size, cut short or late, and
// no handle left behind. (Which replies are a success: json_text_test.cpp;
// a service that is not running: diag_operations_test_win.cpp.)
#include <gtest/gtest.h>

#include <windows.h>

#include "qlclapi.h"
#include "support/diag_service.h"
#include "support/library.h"

namespace qltest {
namespace {

ULONGLONG Elapsed(ULONGLONG since) { return GetTickCount64() - since; }

class DiagTransport : public DiagServiceTest {
protected:
    void SetUp() override {
        DiagServiceTest::SetUp();
        ASSERT_TRUE(library_.loaded());
        tag_ = library_.get<PFN_QuorlanSetCustomTag>("QuorlanSetCustomTag");
        ASSERT_NE(tag_, nullptr);
    }
    QlUInt32 tag() { return tag_(L"k", L"v"); }
    Library library_;
    PFN_QuorlanSetCustomTag tag_ = nullptr;
};

TEST_F(DiagTransport, RepliesOfAnySizeAreJoinedWholeAndCutOnesFail) {
    // 10000 bytes come in one read; 10001 in two that must be joined.
    for (uint64_t size : {29ull, 9999ull, 10000ull, 10001ull, 20001ull, 1ull << 20}) {
        ASSERT_TRUE(service().behave("size", size));
        EXPECT_EQ(tag(), 1u) << size << "-byte reply";
    }
    for (uint64_t kept : {0ull, 1ull, 19ull}) {
        ASSERT_TRUE(service().behave("cut", kept));
        EXPECT_EQ(tag(), 0u) << "reply cut after " << kept << " bytes";
    }
}

TEST_F(DiagTransport, RefusedConnectionsFailAndLateRepliesAreWaitedFor) {
    ASSERT_TRUE(service().behave("refuse"));
    EXPECT_EQ(tag(), 0u);
    EXPECT_TRUE(takeRequests().empty());
    ASSERT_TRUE(service().behave("normal"));
    ASSERT_TRUE(service().delay(1500));
    ULONGLONG started = GetTickCount64();
    EXPECT_EQ(tag(), 1u);
    EXPECT_GE(Elapsed(started), 1400u) << "the reply cannot have come before the delay";
}

TEST_F(DiagTransport, BusyInstancesAreWaitedForUntilOneIsFree) {
    ASSERT_TRUE(service().behave("busy", 0, 2000));
    ULONGLONG started = GetTickCount64();
    EXPECT_EQ(tag(), 1u) << "the wait for a free instance should have ended when the service let go";
    EXPECT_GE(Elapsed(started), 1500u);
    EXPECT_EQ(takeRequests().size(), 1u);
}

TEST_F(DiagTransport, InstancesBusyForLongerThanTheWaitFail) {
    ASSERT_TRUE(service().behave("busy"));
    const uintptr_t handle = NextHandleValue();
    ULONGLONG started = GetTickCount64();
    EXPECT_EQ(tag(), 0u);
    ULONGLONG waited = Elapsed(started);
    EXPECT_GE(waited, 19000u) << "one wait of 20 s for a free instance";
    EXPECT_LT(waited, 60000u) << "the wait failed, so no further attempt";
    EXPECT_EQ(NextHandleValue(), handle);
    ASSERT_TRUE(service().behave("normal"));
    EXPECT_TRUE(takeRequests().empty());
}

}  // namespace
}  // namespace qltest
