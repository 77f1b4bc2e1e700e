// The documented exit codes when the client driver is stopped, when
// qlclapi.dll is missing, and when it lacks an export.
#include "support/qlctl_process.h"
#include "support/simulated_client.h"

namespace qltest {
namespace {

struct AbsentCase {
    const char* name;
    const wchar_t* arguments;
    const char* input;
    DWORD exitCode;
    const char* out;
};

const char kNone[] = "";
const AbsentCase kAbsentCases[] = {
    {"StateIsNotLoaded", L"state", kNone, 0, "6 client-not-loaded\n"},
    {"VersionIsTheLibrarysOwn", L"version", kNone, 0, "12.12.16943 (0x0C0C422F), this library's generation 12.12\n"},
    {"Reason", L"reason", kNone, 1, kNone},
    {"StatusSaysNotLoaded", L"status", kNone, 0, "Vorantis client is not loaded.\n"},
    {"StatusJsonWithoutDriverValues", L"status --json", kNone, 0,
     "{\"name\":\"client-not-loaded\",\"phase\":null,\"reason\":null,\"state\":6,"
     "\"text\":\"Vorantis client is not loaded.\",\"traffic_bypassed\":null}\n"},
    {"Enable", L"enable", kNone, 1, kNone},
    {"Logoff", L"logoff", kNone, 1, kNone},
    {"Bypass", L"bypass", kNone, 1, kNone},
    {"RouteCheck", L"route-check", kNone, 1, kNone},
    {"Connect", L"connect --user bob --password-stdin", "hunter2\n", 1, kNone},
    {"ConditionIsStillAccepted", L"condition wifi trusted", kNone, 0, "the condition was handed to the library\n"},
    {"Watch", L"watch --count 1", kNone, 1, kNone},
    {"Addresses", L"addresses --json", kNone, 1, kNone},
    {"Pop", L"pop", kNone, 1, kNone},
    {"ParseNeedsNoDriver", L"parse 10.1.2.3 --json", kNone, 0,
     "{\"address\":\"10.1.2.3\",\"family\":\"ipv4\",\"port\":0,\"prefix\":32,\"text\":\"10.1.2.3\"}\n"},
    {"FormatNeedsNoDriver", L"format 10.1.2.3 --always-prefix", kNone, 0, "10.1.2.3/32\n"},
};

class WithoutDriver : public DriverAbsentTest, public testing::WithParamInterface<AbsentCase> {};

TEST_P(WithoutDriver, ExitsAsDocumented) {
    const AbsentCase& c = GetParam();
    Outcome outcome = RunQlctl(c.arguments, c.input);
    EXPECT_EQ(outcome.exitCode, c.exitCode) << outcome.err;
    EXPECT_EQ(outcome.out, c.out);
    EXPECT_EQ(outcome.err.empty(), c.exitCode == 0) << outcome.err;
}

INSTANTIATE_TEST_SUITE_P(Qlctl, WithoutDriver, testing::ValuesIn(kAbsentCases),
                         [](const testing::TestParamInfo<AbsentCase>& info) { return info.param.name; });

// qlctl.exe copied into `folder` below this program's, beside whatever is there.
std::wstring CopyQlctlTo(const wchar_t* folder) {
    std::wstring target = OwnFolder() + folder;
    CreateDirectoryW(target.c_str(), nullptr);
    target += L"\\qlctl.exe";
    EXPECT_TRUE(CopyFileW((OwnFolder() + L"qlctl.exe").c_str(), target.c_str(), FALSE)) << GetLastError();
    return target;
}

struct LibraryCase {
    const char* name;
    const wchar_t* folder;  // qlctl_stub holds a qlclapi.dll that exports only QuorlanGetVersion
    const wchar_t* arguments;
    DWORD exitCode;
    const char* err;
};

const LibraryCase kLibraryCases[] = {
    {"MissingLibrary", L"qlctl_alone", L"state", 3, "cannot load"},
    {"UsageCheckedBeforeLoading", L"qlctl_alone", L"state --bogus", 2, "unknown option"},
    {"MissingExport", L"qlctl_stub", L"state", 3, "does not export QuorlanGetConnectionState"},
    {"MissingExportOfWatch", L"qlctl_stub", L"watch", 3, "does not export QuorlanNotifyStateChange"},
    {"PresentExportStillWorks", L"qlctl_stub", L"version", 0, ""},
    {"MissingAddressExport", L"qlctl_stub", L"addresses", 3, "does not export QuorlanGetVirtualAddressEx"},
    {"MissingDetailsExport", L"qlctl_stub", L"pop", 3, "does not export QuorlanGetPointOfPresenceDetailsEx"},
    {"MissingStatusExport", L"qlctl_stub", L"status", 3, "does not export QuorlanGetConnectionStateString"},
    {"MissingStatusExportOfWatch", L"qlctl_stub", L"watch --text --count 1", 3, "does not export"},
    {"ParseNeedsNoLibrary", L"qlctl_alone", L"parse 10.1.2.3", 0, ""},
};

class LibraryProblems : public testing::TestWithParam<LibraryCase> {};

TEST_P(LibraryProblems, ProblemsExitWithThree) {
    const LibraryCase& c = GetParam();
    Outcome outcome = QlctlProcess(c.arguments, {}, CopyQlctlTo(c.folder)).finish();
    EXPECT_EQ(outcome.exitCode, c.exitCode);
    EXPECT_NE(outcome.err.find(c.err), std::string::npos) << outcome.err;
}

INSTANTIATE_TEST_SUITE_P(Qlctl, LibraryProblems, testing::ValuesIn(kLibraryCases),
                         [](const testing::TestParamInfo<LibraryCase>& info) { return info.param.name; });

}  // namespace
}  // namespace qltest
