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
// What each test starts from, so that a write into the wrong part shows.
const auto kServer = qlsim::IPv4Record(203, 0, 113, 1, 443), kPop = qlsim::IPv4Record(198, 51, 100, 2, 80);
const std::vector<uint8_t> kVirtualBefore = qlsim::ShortRecordBytes(qlsim::IPv4Record(192, 168, 7, 7));

class AddressCommand : public qltest::SimulatedClientTest {
protected:
    void SetUp() override {
        SimulatedClientTest::SetUp();
        const std::vector<uint8_t> servers = qlsim::ServerRecordsBytes(kServer, kPop);
        ASSERT_TRUE(sim().setRecord(QLSIM_RECORD_VIRTUAL_ADDRESS, kVirtualBefore.data(), 24));
        ASSERT_TRUE(sim().setRecord(QLSIM_RECORD_SERVER_ADDRESSES, servers.data(), 56));
    }
};

struct SetCase {
    const char* name;
    std::string place;
    const wchar_t* text;
    qlsim::AddressRecord record;
    const char* shown;  // by "address show --json"
};

// Failures name the case, not its bytes.
void PrintTo(const SetCase& c, std::ostream* out) { *out << c.name; }

class AddressSet : public AddressCommand, public testing::WithParamInterface<SetCase> {};

TEST_P(AddressSet, WritesItsPartOnlyAndShowsBack) {
    const SetCase& c = GetParam();
    ASSERT_EQ(RunQlsim(L"address " + std::wstring(c.place.begin(), c.place.end()) + L" " + c.text).exitCode, 0u);
    EXPECT_EQ(record(QLSIM_RECORD_VIRTUAL_ADDRESS),
              c.place == "virtual" ? qlsim::ShortRecordBytes(c.record) : kVirtualBefore);
    EXPECT_EQ(record(QLSIM_RECORD_SERVER_ADDRESSES),
              qlsim::ServerRecordsBytes(c.place == "server" ? c.record : kServer, c.place == "pop" ? c.record : kPop));
    EXPECT_NE(RunQlsim(L"address show --json").out.find("\"" + c.place + "\":\"" + c.shown + "\""), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, AddressSet,
    testing::Values(
        SetCase{"VirtualKeepsThePort", "virtual", L"10.1.2.3:5008", qlsim::IPv4Record(10, 1, 2, 3, 5008),
                "10.1.2.3:5008"},
        SetCase{"VirtualZone", "virtual", L"fe80::1%7", qlsim::IPv6Record(kLinkLocal1, 7), "fe80::1%7"},
        SetCase{"ServerIPv4", "server", L"10.1.2.3", qlsim::IPv4Record(10, 1, 2, 3), "10.1.2.3"},
        SetCase{"ServerNone", "server", L"none", qlsim::FamilyOnlyRecord(0), "none"},
        SetCase{"PopZoneAndPort", "pop", L"[fe80::1%7]:5008", qlsim::IPv6Record(kLinkLocal1, 7, 5008),
                "[fe80::1%7]:5008"},
        SetCase{"PopAsTheLibraryPrintsIt", "pop", L"[FE80::1]", qlsim::IPv6Record(kLinkLocal1), "fe80::1"}),
    [](const testing::TestParamInfo<SetCase>& info) { return info.param.name; });

TEST_F(AddressCommand, ReadsRecordsAsTheDriverAnswersWithThem) {
    // Half a server record reads as a point of presence of family 0, as the
    // driver pads it; a family that holds no address is named.
    const std::vector<uint8_t> onlyServer(kServer.begin(), kServer.end());
    const auto family7 = qlsim::ShortRecordBytes(qlsim::FamilyOnlyRecord(7));
    ASSERT_TRUE(sim().setRecord(QLSIM_RECORD_SERVER_ADDRESSES, onlyServer.data(), 28));
    ASSERT_TRUE(sim().setRecord(QLSIM_RECORD_VIRTUAL_ADDRESS, family7.data(), 24));
    EXPECT_EQ(RunQlsim(L"address show").out, "virtual  family 7\nserver   203.0.113.1:443\npop      none\n");
    ASSERT_EQ(RunQlsim(L"address pop 10.9.9.9").exitCode, 0u);
    EXPECT_EQ(record(QLSIM_RECORD_SERVER_ADDRESSES),
              qlsim::ServerRecordsBytes(kServer, qlsim::IPv4Record(10, 9, 9, 9)));
}

}  // namespace
