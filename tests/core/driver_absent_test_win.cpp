// Every export of a library loaded while the simulated driver was stopped.
// The driver is started again at once: the library keeps the handles it
// could not open, and whatever reached the driver would be in its journal.
// A driver-facing export gives its not-available result and sends nothing;
// the server-address setters answer as usual and send nothing; the other
// configuration and the diagnostics exports never face the driver.
#include <gtest/gtest.h>

#include <iterator>
#include <set>
#include <string>

#include "qlclapi.h"
#include "sim_config.h"
#include "sim_control.h"
#include "sim_service.h"
#include "support/bstr_text.h"
#include "support/library.h"

namespace qltest {
namespace {

constexpr uint64_t kMissing = ~0ull;

// What a row's call gives: the export's result, after checks of its out
// values (EXPECTs of the row's own).
struct AbsentRow {
    const char* name;
    uint64_t expected;
    uint64_t (*call)(const Exports&);
};

template <typename F>
uint32_t StoresReasonZero(F get) {
    QlUInt32 reason = 77;
    const uint32_t result = get(&reason);
    EXPECT_EQ(reason, 0u);
    return result;
}

template <typename F>
uint32_t LeavesBstrAlone(F get) {
    BSTR text = SysAllocString(L"unchanged");
    const uint32_t result = get(&text);
    EXPECT_STREQ(text, L"unchanged");
    SysFreeString(text);
    return result;
}

template <typename F>
uint32_t WithOverlapped(F call) {
    OVERLAPPED overlapped{};
    overlapped.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    const uint32_t result = call(reinterpret_cast<struct _OVERLAPPED*>(&overlapped));
    CloseHandle(overlapped.hEvent);
    return result;
}

// 1 when the call opened the client's event: it sees the event signalled.
template <typename F>
uint32_t OpensTheClientsEvent(F open) {
    HANDLE created = CreateEventW(nullptr, TRUE, FALSE, L"Global\\QuorlanNotifyEvent");
    HANDLE opened = static_cast<HANDLE>(open());
    const bool seen = opened && SetEvent(created) && WaitForSingleObject(opened, 0) == WAIT_OBJECT_0;
    if (opened) CloseHandle(opened);
    CloseHandle(created);
    return seen ? 1 : 0;
}

uint32_t StatusTextNotLoaded(PFN_QuorlanGetConnectionStateString get) {
    wchar_t text[64] = L"";
    QlUInt32 length = sizeof text;
    const uint32_t result = get(text, &length);
    EXPECT_STREQ(text, L"Vorantis client is not loaded.");
    return result;
}

uint32_t StatusTextNotLoadedVB(PFN_QuorlanGetConnectionStateStringVB get) {
    BSTR text = SysAllocString(L"");
    const uint32_t result = get(&text);
    EXPECT_EQ(AnsiOf(text), "Vorantis client is not loaded.");
    SysFreeString(text);
    return result;
}

uint32_t VirtualAddressEx(PFN_QuorlanGetVirtualAddressEx get) {
    uint8_t address[28];
    QlUInt32 count = 1;
    const uint32_t result = get(address, &count);
    EXPECT_EQ(count, 0u);
    return result;
}

#define ROW(name, expected, ...)                                      \
    AbsentRow {                                                       \
        #name, expected, [](const Exports& e) -> uint64_t {           \
            const auto f = e.name;                                    \
            return f ? uint64_t(__VA_ARGS__) : kMissing;              \
        }                                                             \
    }

// Out values of the calls that fail; what they hold is not looked at.
uint8_t g_buffer[5000];
QlUInt32 g_words[4];
QlUInt16 g_port;
QlUInt64 g_wide[2];
BSTR g_texts[5];
// 10.1.2.3 port 80, in network byte order as the exports take them.
constexpr QlUInt32 kAddress = 0x0302010A;
constexpr QlUInt16 kPort = 0x5000;
const uint8_t kSocketAddress[28] = {2, 0, 0, 80, 10, 1, 2, 3};  // AF_INET

// A plain export and its VB twin called alike.
#define TWIN(name, expected, ...) ROW(name, expected, __VA_ARGS__), ROW(name##VB, expected, __VA_ARGS__)

const AbsentRow kRows[] = {
    TWIN(QuorlanGetVersion, 0x0C0C422F, f()), TWIN(QuorlanGetConnectionState, 6, f()),
    TWIN(QuorlanGetVorantisTechnology, 1, f()), TWIN(QuorlanEnable, 0, f()), TWIN(QuorlanLogoff, 0, f()),
    TWIN(QuorlanBypass, 0, f()), TWIN(QuorlanTriggerQLSRouteCheck, 0, f()),
    TWIN(QuorlanGetDisconnectReason, 0, StoresReasonZero(f)),
    ROW(QuorlanNotifyStateChange, 0, WithOverlapped(f)), ROW(QuorlanNotifyStateChangeVB, 0, f(1)),
    ROW(QuorlanCancelNotifyStateChange, 0, WithOverlapped(f)),
    TWIN(QuorlanGetStateChangeNotificationEventHandle, 1, OpensTheClientsEvent(f)),
    TWIN(QuorlanGetStateChangeNotficationEventHandle, 1, OpensTheClientsEvent(f)),
    ROW(QuorlanConnectWithPassword, 0, f(L"user", L"password", L"domain")),
    ROW(QuorlanConnectWithPasswordVB, 0, f("user", "password", "domain")),
    ROW(QuorlanConnectWithOTP, 0, f(L"user", L"123456")), ROW(QuorlanConnectWithOTPVB, 0, f("user", "123456")),
    ROW(QuorlanSetExternalCondition, 1, f(L"network", L"trusted")),
    ROW(QuorlanSetExternalConditionVB, 1, f("network", "trusted")),
    ROW(QuorlanGetConnectionStateString, 1, StatusTextNotLoaded(f)),
    ROW(QuorlanGetConnectionStateStringVB, 1, StatusTextNotLoadedVB(f)),
    TWIN(QuorlanGetVirtualAddress, 0, f(&g_words[0])), TWIN(QuorlanGetPointOfPresence, 0, f(&g_words[0])),
    ROW(QuorlanGetVirtualAddressEx, 0, VirtualAddressEx(f)), ROW(QuorlanGetVirtualAddressExVB, 0, LeavesBstrAlone(f)),
    ROW(QuorlanGetPointOfPresenceEx, 0, f(g_buffer)), ROW(QuorlanGetPointOfPresenceExVB, 0, LeavesBstrAlone(f)),
    TWIN(QuorlanGetConnectedServerAddress, 0, f(&g_words[0], &g_port)),
    ROW(QuorlanGetConnectedServerAddressEx, 0, f(g_buffer)),
    ROW(QuorlanGetConnectedServerAddressExVB, 0, LeavesBstrAlone(f)),
    ROW(QuorlanGetPointOfPresenceDetails, 0, f(g_buffer, sizeof g_buffer)),
    ROW(QuorlanGetPointOfPresenceDetailsEx, 0, f(g_buffer, sizeof g_buffer)),
    ROW(QuorlanGetPointOfPresenceDetailsVB, 0,
        f(&g_words[0], &g_words[1], &g_words[2], &g_words[3], &g_texts[0], &g_texts[1], &g_texts[2], &g_texts[3])),
    ROW(QuorlanGetPointOfPresenceDetailsExVB, 0,
        f(&g_texts[0], &g_words[0], &g_wide[0], &g_wide[1], &g_texts[1], &g_texts[2], &g_texts[3], &g_texts[4])),
    TWIN(QuorlanGetPointOfPresenceNetworkType, 0, f()),
    // Setters that tell the driver of a change when it is there.
    TWIN(QuorlanSetServerAddress, 1, f(kAddress, kPort)),
    ROW(QuorlanSetServerAddressEx, 1, f(kSocketAddress)), ROW(QuorlanSetServerAddressExVB, 1, f("10.1.2.3:80")),
    ROW(QuorlanSetServerAddressByName, 1, f(L"vpn.example.com")),
    ROW(QuorlanSetServerAddressByNameVB, 1, f("vpn.example.com")),
};

// The registry, the service manager and the diagnostics pipe only.
const char* const kNotDriverFacing[] = {
    "QuorlanGetPermanentID",         "QuorlanGetPermanentIDVB",         "QuorlanGetServerAddress",
    "QuorlanGetServerAddressVB",     "QuorlanGetServerAddressEx",       "QuorlanGetServerAddressExVB",
    "QuorlanGetServerAddressByName", "QuorlanGetServerAddressByNameVB", "QuorlanGetLoadAtStartup",
    "QuorlanGetLoadAtStartupVB",     "QuorlanSetLoadAtStartup",         "QuorlanSetLoadAtStartupVB",
    "QuorlanStartReport",            "QuorlanStartReportVB",            "QuorlanStartBandwidthTest",
    "QuorlanStartBandwidthTestVB",   "QuorlanSetCustomTag",             "QuorlanSetCustomTagVB",
};

TEST(DriverAbsentTable, NamesEveryExport) {
    std::set<std::string> named(std::begin(kNotDriverFacing), std::end(kNotDriverFacing));
    for (const AbsentRow& row : kRows) EXPECT_TRUE(named.insert(row.name).second) << row.name << " twice";
#define QL_NAME(name) #name,
    EXPECT_EQ(named, std::set<std::string>({QL_FOR_EACH_EXPORT(QL_NAME)}));
#undef QL_NAME
}

// One stop and one start of the driver for the whole table.
class DriverAbsent : public testing::TestWithParam<AbsentRow> {
protected:
    static void SetUpTestSuite() {
        if (qlsim::StopDriverService() != ERROR_SUCCESS) return;
        library_ = new Library;
        restarted_ = qlsim::StartDriverService() == ERROR_SUCCESS;
        qlsim::RemoveClientKeys();
        qlsim::InstallClientKeys();
    }
    static void TearDownTestSuite() {
        delete library_;
        library_ = nullptr;
        qlsim::RemoveClientKeys();
    }
    void SetUp() override {
        ASSERT_TRUE(library_ && library_->loaded()) << "the library must load without a driver";
        ASSERT_TRUE(restarted_ && sim_.isOpen() && sim_.clearJournal()) << "the driver did not start again";
    }

    static Library* library_;
    static bool restarted_;
    qlsim::SimControl sim_;
};

Library* DriverAbsent::library_ = nullptr;
bool DriverAbsent::restarted_ = false;

TEST_P(DriverAbsent, GivesItsResultAndSendsNothing) {
    EXPECT_EQ(GetParam().call(library_->exports()), GetParam().expected);
    std::vector<QlSimJournalEntry> entries;
    ASSERT_TRUE(sim_.readJournal(entries));
    EXPECT_EQ(entries.size(), 0u) << "the driver saw the call";
}

INSTANTIATE_TEST_SUITE_P(EveryExport, DriverAbsent, testing::ValuesIn(kRows),
                         [](const testing::TestParamInfo<AbsentRow>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace qltest
