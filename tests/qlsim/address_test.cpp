// qlsim address: texts in the library's grammar become the records the
// driver answers with, each address in its own part of its record, and show
// prints them back in that grammar.
#include <algorithm>

#include "sim_records.h"
#include "support/qlsim_run.h"
#include "support/simulated_client.h"

namespace {

using qltest::RunQlsim;

const std::array<uint8_t, 16> kLinkLocal1 = {0xFE, 0x80, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1};
const std::array<uint8_t, 16> kLoopback = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1};

// What every test starts from, so that a change to the wrong part shows.
const std::vector<uint8_t> kVirtualBefore = qlsim::ShortRecordBytes(qlsim::IPv4Record(192, 168, 7, 7));
const std::vector<uint8_t> kServersBefore =
    qlsim::ServerRecordsBytes(qlsim::IPv4Record(203, 0, 113, 1, 443), qlsim::IPv4Record(198, 51, 100, 2, 80));

class AddressCommand : public qltest::SimulatedClientTest {
protected:
    void SetUp() override {
        SimulatedClientTest::SetUp();
        ASSERT_TRUE(sim().setRecord(QLSIM_RECORD_VIRTUAL_ADDRESS, kVirtualBefore.data(), 24));
        ASSERT_TRUE(sim().setRecord(QLSIM_RECORD_SERVER_ADDRESSES, kServersBefore.data(), 56));
    }
};

struct SetCase {
    const char* name;
    const wchar_t* place;
    const wchar_t* text;
    qlsim::AddressRecord record;
    const char* shown;  // by "address show --json"
};

// Failures name the case, not its bytes.
void PrintTo(const SetCase& c, std::ostream* out) { *out << c.name; }

class AddressSet : public AddressCommand, public testing::WithParamInterface<SetCase> {};

TEST_P(AddressSet, WritesItsPartOnlyAndShowsBack) {
    const SetCase& c = GetParam();
    ASSERT_EQ(RunQlsim(std::wstring(L"address ") + c.place + L" " + c.text).exitCode, 0u);
    std::vector<uint8_t> virtualAfter = kVirtualBefore, serversAfter = kServersBefore;
    if (std::wstring(c.place) == L"virtual") std::copy(c.record.begin(), c.record.begin() + 24, virtualAfter.begin());
    if (std::wstring(c.place) == L"server") std::copy(c.record.begin(), c.record.end(), serversAfter.begin());
    if (std::wstring(c.place) == L"pop") std::copy(c.record.begin(), c.record.end(), serversAfter.begin() + 28);
    EXPECT_EQ(record(QLSIM_RECORD_VIRTUAL_ADDRESS), virtualAfter);
    EXPECT_EQ(record(QLSIM_RECORD_SERVER_ADDRESSES), serversAfter);
    std::string place(c.place, c.place + wcslen(c.place));
    EXPECT_NE(RunQlsim(L"address show --json").out.find("\"" + place + "\":\"" + c.shown + "\""), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, AddressSet,
    testing::Values(
        SetCase{"VirtualIPv4", L"virtual", L"10.1.2.3", qlsim::IPv4Record(10, 1, 2, 3), "10.1.2.3"},
        SetCase{"VirtualKeepsThePort", L"virtual", L"10.1.2.3:5008", qlsim::IPv4Record(10, 1, 2, 3, 5008),
                "10.1.2.3:5008"},
        SetCase{"VirtualZoneInShortRecord", L"virtual", L"fe80::1%7", qlsim::IPv6Record(kLinkLocal1, 7), "fe80::1%7"},
        SetCase{"VirtualNone", L"virtual", L"none", qlsim::FamilyOnlyRecord(0), "none"},
        SetCase{"ServerIPv4Port", L"server", L"10.1.2.3:5008", qlsim::IPv4Record(10, 1, 2, 3, 5008), "10.1.2.3:5008"},
        SetCase{"ServerBracketsWithoutPort", L"server", L"[::1]", qlsim::IPv6Record(kLoopback), "::1"},
        SetCase{"ServerNone", L"server", L"none", qlsim::FamilyOnlyRecord(0), "none"},
        SetCase{"PopZoneAndPort", L"pop", L"[fe80::1%7]:5008", qlsim::IPv6Record(kLinkLocal1, 7, 5008),
                "[fe80::1%7]:5008"},
        SetCase{"PopUpperCaseIsPrintedLower", L"pop", L"FE80::1", qlsim::IPv6Record(kLinkLocal1), "fe80::1"},
        SetCase{"PopNone", L"pop", L"none", qlsim::FamilyOnlyRecord(0), "none"}),
    [](const testing::TestParamInfo<SetCase>& info) { return info.param.name; });

TEST_F(AddressCommand, ShowsRecordsAsTheDriverAnswersWithThem) {
    // A server record holding only its first half reads as a point of
    // presence of family 0, as the driver pads it; a family that is no
    // address is named, not formatted.
    const std::vector<uint8_t> onlyServer(kServersBefore.begin(), kServersBefore.begin() + 28);
    ASSERT_TRUE(sim().setRecord(QLSIM_RECORD_SERVER_ADDRESSES, onlyServer.data(), 28));
    const auto family7 = qlsim::ShortRecordBytes(qlsim::FamilyOnlyRecord(7));
    ASSERT_TRUE(sim().setRecord(QLSIM_RECORD_VIRTUAL_ADDRESS, family7.data(), 24));
    qltest::QlsimRun shown = RunQlsim(L"address show");
    EXPECT_EQ(shown.exitCode, 0u);
    EXPECT_EQ(shown.out, "virtual  family 7\nserver   203.0.113.1:443\npop      none\n");

    ASSERT_EQ(RunQlsim(L"address pop 10.9.9.9").exitCode, 0u);
    EXPECT_EQ(record(QLSIM_RECORD_SERVER_ADDRESSES),
              qlsim::ServerRecordsBytes(qlsim::IPv4Record(203, 0, 113, 1, 443), qlsim::IPv4Record(10, 9, 9, 9)));
}

}  // namespace
