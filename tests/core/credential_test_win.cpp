// Credential connect and external conditions, plain and VB twin: the
// request sequence, the records the driver receives, and no credential left
// in the process heap. (The 255-character bound of the fields:
// text_field_test.cpp; one-time passwords, which are refused:
// driver_absent_test_win.cpp; a null first condition text: the reliability
// suite's required arguments.)
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "qlclapi.h"
#include "support/heap_scan.h"
#include "support/simulated_client.h"

namespace qltest {
namespace {

using Lines = std::vector<std::string>;
const Lines kConnectRequests = {"0x2224DB sync", "0x22283B sync", "0x22248B sync"};

// A field of 256 UTF-16 units: the text up to its terminator, "(unterminated)"
// without one; "(dirty)" when a unit behind the terminator is not zero and
// the record promises zeros there (the credential record does).
std::u16string Field(const std::vector<uint8_t>& record, size_t offset, bool zerosBehind = true) {
    if (record.size() < offset + 512) return u"(short record)";
    std::u16string units(256, u'\0');
    memcpy(&units[0], record.data() + offset, 512);
    const size_t end = units.find(u'\0');
    if (end == std::u16string::npos) return u"(unterminated)";
    if (zerosBehind && units.find_first_not_of(u'\0', end) != std::u16string::npos) return u"(dirty)";
    return units.substr(0, end);
}

uint32_t WordAt(const std::vector<uint8_t>& record, size_t offset) {
    uint32_t value = 0;
    if (record.size() >= offset + 4) memcpy(&value, record.data() + offset, 4);
    return value;
}

class Credentials : public SimulatedClientTest {
protected:
    void SetUp() override {
        SimulatedClientTest::SetUp();
        library_ = loadLibrary();
    }
    std::unique_ptr<Library> library_;
};

TEST_F(Credentials, DisconnectWaitRecordAndEnableEvenWhenRefused) {
    QL_EXPORT(*library_, QuorlanConnectWithPassword);
    for (bool refused : {false, true}) {
        if (refused)
            for (uint32_t code : {0x2224DBu, 0x22283Bu, 0x22248Bu}) refuse(code);
        const ULONGLONG started = GetTickCount64();
        EXPECT_EQ(QuorlanConnectWithPassword(L"alice", L"secret", L"CORP"), 1u);
        EXPECT_GE(GetTickCount64() - started, 490u) << "the client gets half a second to drop its session";
        std::vector<SeenEvent> seen = takeJournal();
        ASSERT_EQ(RequestLines(seen), kConnectRequests);
        EXPECT_EQ(seen[0].inLength, 4u);
        EXPECT_EQ(seen[0].inputWord(), 50u) << "Client-side disconnect.";
        EXPECT_EQ(seen[1].inLength, 1540u);
        EXPECT_EQ(seen[1].outLength, 0u);
        EXPECT_EQ(seen[2].inLength + seen[2].outLength, 0u);
    }
    const std::vector<uint8_t> sent = record(QLSIM_RECORD_CREDENTIAL);
    ASSERT_EQ(sent.size(), 1540u);
    EXPECT_EQ(WordAt(sent, 0), 1u) << "password credentials";
    EXPECT_EQ(Field(sent, 4), u"alice");
    EXPECT_EQ(Field(sent, 516), u"secret");
    EXPECT_EQ(Field(sent, 1028), u"CORP");
}

TEST_F(Credentials, NullTextsAreEmptyFields) {
    QL_EXPORT(*library_, QuorlanConnectWithPassword);
    QL_EXPORT(*library_, QuorlanConnectWithPasswordVB);
    EXPECT_EQ(QuorlanConnectWithPassword(nullptr, nullptr, nullptr), 1u);
    EXPECT_EQ(takeRequests(), kConnectRequests);
    std::vector<uint8_t> sent = record(QLSIM_RECORD_CREDENTIAL);
    ASSERT_EQ(sent.size(), 1540u);
    EXPECT_EQ(WordAt(sent, 0), 1u);
    EXPECT_EQ(std::vector<uint8_t>(sent.begin() + 4, sent.end()), std::vector<uint8_t>(1536, 0));
    // The twin hands a null ANSI text on as null, not as a converted text.
    EXPECT_EQ(QuorlanConnectWithPasswordVB("carol", nullptr, "LAB"), 1u);
    EXPECT_EQ(takeRequests(), kConnectRequests);
    sent = record(QLSIM_RECORD_CREDENTIAL);
    EXPECT_EQ(Field(sent, 4), u"carol");
    EXPECT_EQ(Field(sent, 516), u"");
    EXPECT_EQ(Field(sent, 1028), u"LAB");
}

TEST_F(Credentials, NoCopyOfThePasswordRemainsInTheHeap) {
    QL_EXPORT(*library_, QuorlanConnectWithPassword);
    QL_EXPORT(*library_, QuorlanConnectWithPasswordVB);
    // On the stack only, so that the only heap copies are the library's.
    wchar_t password[] = L"Kq7-unlikely-Pw-5531";
    char ansiPassword[] = "Kq7-unlikely-Pw-5531";
    const size_t bytes = sizeof password - sizeof(wchar_t);
    ASSERT_FALSE(ProcessHeapsContain(password, bytes));
    ASSERT_EQ(QuorlanConnectWithPassword(L"alice", password, nullptr), 1u);
    EXPECT_FALSE(ProcessHeapsContain(password, bytes)) << "the credential record was released without being wiped";
    ASSERT_EQ(QuorlanConnectWithPasswordVB("alice", ansiPassword, nullptr), 1u);
    EXPECT_FALSE(ProcessHeapsContain(password, bytes)) << "a converted argument was released without being wiped";
    EXPECT_EQ(Field(record(QLSIM_RECORD_CREDENTIAL), 516), u"Kq7-unlikely-Pw-5531");
}

TEST_F(Credentials, ConditionSendsOneRecordOfItsTwoTexts) {
    QL_EXPORT(*library_, QuorlanSetExternalCondition);
    QL_EXPORT(*library_, QuorlanSetExternalConditionVB);
    EXPECT_EQ(QuorlanSetExternalCondition(L"network", L"trusted"), 1u);
    std::vector<SeenEvent> seen = takeJournal();
    ASSERT_EQ(RequestLines(seen), Lines{"0x22283F sync"});
    EXPECT_EQ(seen[0].inLength, 1024u);
    EXPECT_EQ(seen[0].outLength, 0u);
    std::vector<uint8_t> sent = record(QLSIM_RECORD_CONDITION);
    ASSERT_EQ(sent.size(), 1024u);
    EXPECT_EQ(Field(sent, 0, false), u"network");
    EXPECT_EQ(Field(sent, 512, false), u"trusted");

    EXPECT_EQ(QuorlanSetExternalConditionVB("on-site", nullptr), 1u);
    EXPECT_EQ(takeRequests(), Lines{"0x22283F sync"});
    sent = record(QLSIM_RECORD_CONDITION);
    EXPECT_EQ(Field(sent, 0, false), u"on-site");
    EXPECT_EQ(Field(sent, 512, false), u"") << "a null second text is an empty field";
}

}  // namespace
}  // namespace qltest
