// Credential connect, one-time passwords and external conditions, plain
// and VB twin: the request sequence, the records the driver receives, the
// bounded text fields, and no credential left in the process heap.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "qlclapi.h"
#include "support/heap_scan.h"
#include "support/simulated_client.h"

namespace qltest {
namespace {

using Lines = std::vector<std::string>;

// A field of 256 UTF-16 units: the text up to its terminator, or a marker
// when there is none; `clean` says whether every unit after it is zero.
struct Field {
    std::u16string text;
    bool terminated = false;
    bool clean = true;
};

Field ReadField(const std::vector<uint8_t>& record, size_t offset) {
    Field field;
    if (record.size() < offset + 512) return field;
    size_t unit = 0;
    for (; unit < 256; ++unit) {
        char16_t c = char16_t(record[offset + 2 * unit] | record[offset + 2 * unit + 1] << 8);
        if (c == 0) break;
        field.text.push_back(c);
    }
    field.terminated = unit < 256;
    for (size_t rest = unit; rest < 256; ++rest)
        if (record[offset + 2 * rest] || record[offset + 2 * rest + 1]) field.clean = false;
    return field;
}

uint32_t WordAt(const std::vector<uint8_t>& record, size_t offset) {
    uint32_t value = 0;
    if (record.size() >= offset + 4) memcpy(&value, record.data() + offset, 4);
    return value;
}

std::wstring Repeat(wchar_t c, size_t count) { return std::wstring(count, c); }
std::u16string Repeat16(char16_t c, size_t count) { return std::u16string(count, c); }

class Credentials : public SimulatedClientTest {
protected:
    void SetUp() override {
        SimulatedClientTest::SetUp();
        library_ = loadLibrary();
    }
    std::unique_ptr<Library> library_;
};

TEST_F(Credentials, DisconnectsWaitsHandsOverTheRecordAndEnables) {
    QL_EXPORT(*library_, QuorlanConnectWithPassword);
    ULONGLONG started = GetTickCount64();
    EXPECT_EQ(QuorlanConnectWithPassword(L"alice", L"secret", L"CORP"), 1u);
    ULONGLONG elapsed = GetTickCount64() - started;

    std::vector<SeenEvent> seen = takeJournal();
    ASSERT_EQ(RequestLines(seen), (Lines{"0x2224DB sync", "0x22283B sync", "0x22248B sync"}));
    EXPECT_EQ(seen[0].inLength, 4u);
    EXPECT_EQ(seen[0].inputWord(), 50u) << "Client-side disconnect.";
    EXPECT_EQ(seen[1].inLength, 1540u);
    EXPECT_EQ(seen[1].outLength, 0u);
    EXPECT_GE(elapsed, 490u) << "the client gets half a second to drop its session";

    std::vector<uint8_t> sent = record(QLSIM_RECORD_CREDENTIAL);
    ASSERT_EQ(sent.size(), 1540u);
    EXPECT_EQ(WordAt(sent, 0), 1u) << "password credentials";
    EXPECT_EQ(ReadField(sent, 4).text, u"alice");
    EXPECT_EQ(ReadField(sent, 516).text, u"secret");
    EXPECT_EQ(ReadField(sent, 1028).text, u"CORP");
    QlSimState state = simState();
    EXPECT_EQ(state.lastAction, 50u);
    EXPECT_EQ(state.connectionState, 3) << "the enable reconnects";
}

struct FieldCase {
    const char* name;
    std::wstring text;
    bool null;
    std::u16string arrives;
};

const FieldCase kFieldCases[] = {
    {"Short", L"bob", false, u"bob"},
    {"Empty", L"", false, u""},
    {"Null", L"", true, u""},
    {"Exactly255FitsWhole", Repeat(L'x', 255), false, Repeat16(u'x', 255)},
    {"256IsCut", Repeat(L'y', 256), false, Repeat16(u'y', 255)},
    {"300IsCut", Repeat(L'z', 300), false, Repeat16(u'z', 255)},
};

class CredentialField : public Credentials, public testing::WithParamInterface<FieldCase> {
protected:
    const wchar_t* text() const { return GetParam().null ? nullptr : GetParam().text.c_str(); }
    void expectField(const std::vector<uint8_t>& sent, size_t offset) {
        Field field = ReadField(sent, offset);
        EXPECT_TRUE(field.terminated) << "field at " << offset;
        EXPECT_TRUE(field.clean) << "non-zero units behind the terminator at " << offset;
        EXPECT_EQ(field.text, GetParam().arrives) << "field at " << offset;
    }
};

TEST_P(CredentialField, EachOfTheThreeFieldsIsBounded) {
    QL_EXPORT(*library_, QuorlanConnectWithPassword);
    const size_t offsets[] = {4, 516, 1028};
    for (int position = 0; position < 3; ++position) {
        const wchar_t* texts[3] = {L"a", L"b", L"c"};
        texts[position] = text();
        ASSERT_EQ(QuorlanConnectWithPassword(texts[0], texts[1], texts[2]), 1u);
        std::vector<uint8_t> sent = record(QLSIM_RECORD_CREDENTIAL);
        expectField(sent, offsets[position]);
        EXPECT_EQ(ReadField(sent, offsets[(position + 1) % 3]).text.size(), 1u);
    }
}

TEST_P(CredentialField, BothConditionFieldsAreBounded) {
    QL_EXPORT(*library_, QuorlanSetExternalCondition);
    if (!GetParam().null) {
        ASSERT_EQ(QuorlanSetExternalCondition(text(), L"second"), 1u);
        expectField(record(QLSIM_RECORD_CONDITION), 0);
    }
    ASSERT_EQ(QuorlanSetExternalCondition(L"first", text()), 1u);
    std::vector<uint8_t> sent = record(QLSIM_RECORD_CONDITION);
    ASSERT_EQ(sent.size(), 1024u);
    EXPECT_EQ(ReadField(sent, 0).text, u"first");
    Field second = ReadField(sent, 512);
    EXPECT_TRUE(second.terminated);
    EXPECT_EQ(second.text, GetParam().arrives);
}

INSTANTIATE_TEST_SUITE_P(Texts, CredentialField, testing::ValuesIn(kFieldCases),
                         [](const testing::TestParamInfo<FieldCase>& info) { return info.param.name; });

TEST_F(Credentials, AllTextsNullStillSendsEverything) {
    QL_EXPORT(*library_, QuorlanConnectWithPassword);
    EXPECT_EQ(QuorlanConnectWithPassword(nullptr, nullptr, nullptr), 1u);
    EXPECT_EQ(takeRequests(), (Lines{"0x2224DB sync", "0x22283B sync", "0x22248B sync"}));
    std::vector<uint8_t> sent = record(QLSIM_RECORD_CREDENTIAL);
    ASSERT_EQ(sent.size(), 1540u);
    EXPECT_EQ(WordAt(sent, 0), 1u);
    for (size_t i = 4; i < sent.size(); ++i) ASSERT_EQ(sent[i], 0) << "byte " << i;
}

TEST_F(Credentials, RefusedRequestsAreNotReported) {
    for (uint32_t code : {0x2224DBu, 0x22283Bu, 0x22248Bu}) refuse(code);
    QL_EXPORT(*library_, QuorlanConnectWithPassword);
    EXPECT_EQ(QuorlanConnectWithPassword(L"u", L"p", nullptr), 1u);
    EXPECT_EQ(takeRequests(), (Lines{"0x2224DB sync", "0x22283B sync", "0x22248B sync"}));
}

TEST_F(Credentials, NoCopyOfThePasswordRemainsInTheHeap) {
    QL_EXPORT(*library_, QuorlanConnectWithPassword);
    QL_EXPORT(*library_, QuorlanConnectWithPasswordVB);
    // On the stack only, so that the only heap copies are the library's.
    wchar_t password[] = L"Kq7-unlikely-Pw-5531";
    char ansiPassword[] = "Kq7-unlikely-Pw-5531";
    ASSERT_FALSE(ProcessHeapsContain(password, sizeof password - sizeof(wchar_t)));
    ASSERT_EQ(QuorlanConnectWithPassword(L"alice", password, nullptr), 1u);
    EXPECT_FALSE(ProcessHeapsContain(password, sizeof password - sizeof(wchar_t)))
        << "the credential record was released without being wiped";
    ASSERT_EQ(QuorlanConnectWithPasswordVB("alice", ansiPassword, nullptr), 1u);
    EXPECT_FALSE(ProcessHeapsContain(password, sizeof password - sizeof(wchar_t)))
        << "a converted argument was released without being wiped";
    EXPECT_EQ(ReadField(record(QLSIM_RECORD_CREDENTIAL), 516).text, u"Kq7-unlikely-Pw-5531");
}

TEST_F(Credentials, VisualBasicTwinConvertsAnsiAndPassesNullAsNull) {
    QL_EXPORT(*library_, QuorlanConnectWithPasswordVB);
    EXPECT_EQ(QuorlanConnectWithPasswordVB("carol", nullptr, "LAB"), 1u);
    std::vector<uint8_t> sent = record(QLSIM_RECORD_CREDENTIAL);
    EXPECT_EQ(ReadField(sent, 4).text, u"carol");
    EXPECT_EQ(ReadField(sent, 516).text, u"");
    EXPECT_EQ(ReadField(sent, 1028).text, u"LAB");
    EXPECT_EQ(takeRequests(), (Lines{"0x2224DB sync", "0x22283B sync", "0x22248B sync"}));
}

TEST_F(Credentials, OneTimePasswordsAreNotSupported) {
    QL_EXPORT(*library_, QuorlanConnectWithOTP);
    QL_EXPORT(*library_, QuorlanConnectWithOTPVB);
    EXPECT_EQ(QuorlanConnectWithOTP(L"user", L"123456"), 0u);
    EXPECT_EQ(QuorlanConnectWithOTP(nullptr, nullptr), 0u);
    EXPECT_EQ(QuorlanConnectWithOTPVB("user", "123456"), 0u);
    EXPECT_TRUE(takeJournal().empty());
}

// ---- External conditions ----------------------------------------------

TEST_F(Credentials, ConditionSendsOneRecord) {
    QL_EXPORT(*library_, QuorlanSetExternalCondition);
    EXPECT_EQ(QuorlanSetExternalCondition(L"network", L"trusted"), 1u);
    std::vector<SeenEvent> seen = takeJournal();
    ASSERT_EQ(RequestLines(seen), Lines{"0x22283F sync"});
    EXPECT_EQ(seen[0].inLength, 1024u);
    std::vector<uint8_t> sent = record(QLSIM_RECORD_CONDITION);
    EXPECT_EQ(ReadField(sent, 0).text, u"network");
    EXPECT_EQ(ReadField(sent, 512).text, u"trusted");
}

TEST_F(Credentials, ConditionWithoutFirstTextSendsNothing) {
    QL_EXPORT(*library_, QuorlanSetExternalCondition);
    QL_EXPORT(*library_, QuorlanSetExternalConditionVB);
    EXPECT_EQ(QuorlanSetExternalCondition(nullptr, L"x"), 0u);
    // A null ANSI text must stay null, not become an empty text that is sent.
    EXPECT_EQ(QuorlanSetExternalConditionVB(nullptr, "x"), 0u);
    EXPECT_TRUE(takeJournal().empty());
    EXPECT_EQ(QuorlanSetExternalConditionVB("", nullptr), 1u) << "an empty text is a text";
    EXPECT_EQ(takeRequests(), Lines{"0x22283F sync"});
}

TEST_F(Credentials, ConditionTwinConvertsAnsi) {
    QL_EXPORT(*library_, QuorlanSetExternalConditionVB);
    EXPECT_EQ(QuorlanSetExternalConditionVB("on-site", "badge 42"), 1u);
    std::vector<uint8_t> sent = record(QLSIM_RECORD_CONDITION);
    EXPECT_EQ(ReadField(sent, 0).text, u"on-site");
    EXPECT_EQ(ReadField(sent, 512).text, u"badge 42");
}

using WithoutDriver = DriverAbsentTest;

TEST_F(WithoutDriver, ConnectFailsAndConditionSucceedsWithoutSending) {
    Library library;
    QL_EXPORT(library, QuorlanConnectWithPassword);
    QL_EXPORT(library, QuorlanConnectWithPasswordVB);
    QL_EXPORT(library, QuorlanSetExternalCondition);
    QL_EXPORT(library, QuorlanSetExternalConditionVB);
    ULONGLONG started = GetTickCount64();
    EXPECT_EQ(QuorlanConnectWithPassword(L"u", L"p", L"d"), 0u);
    EXPECT_EQ(QuorlanConnectWithPasswordVB("u", "p", "d"), 0u);
    // Two connects that waited would take a second between them.
    EXPECT_LT(GetTickCount64() - started, 900u) << "nothing to wait for without a driver";
    EXPECT_EQ(QuorlanSetExternalCondition(L"a", L"b"), 1u);
    EXPECT_EQ(QuorlanSetExternalCondition(nullptr, L"b"), 0u);
    EXPECT_EQ(QuorlanSetExternalConditionVB("a", nullptr), 1u);
}

}  // namespace
}  // namespace qltest
