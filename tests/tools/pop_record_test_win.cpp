// qlctl's reading of the point-of-presence details record, in process,
// against what no real library hands over: sizes that keep growing or are
// absurd, parts that lie outside the record, texts of odd length.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "pop_details_reading.h"

namespace qltest {
namespace {

using qlctl::DetailsFetch;

// The export's stand-in answers call by call (the last answer repeats) and
// notes each call's size, 0 for the size query.
std::vector<uint32_t> gAnswers, gAsked;

QlUInt32 QLCLAPI_CALL ScriptedDetails(void* buffer, QlUInt32 size) {
    gAsked.push_back(buffer ? size : 0);
    return gAnswers[std::min(gAsked.size(), gAnswers.size()) - 1];
}

TEST(PopRecord, FetchFollowsTheSizeProtocolAFewTimesAtMost) {
    const struct {
        std::vector<uint32_t> answers;
        DetailsFetch result;
        size_t filled;
        std::vector<uint32_t> asked;
    } cases[] = {
        {{300, 300}, DetailsFetch::Ok, 300, {0, 300}},
        {{300, 340, 340}, DetailsFetch::Ok, 340, {0, 300, 340}},  // grew once in between
        {{300, 250}, DetailsFetch::Ok, 250, {0, 300}},
        {{0}, DetailsFetch::None, 0, {0}},
        {{300, 0}, DetailsFetch::None, 0, {0, 300}},  // gone before the fetch
        {{300, 301, 302, 303, 304, 305}, DetailsFetch::KeptGrowing, 0, {0, 300, 301, 302, 303}},
        {{0xFFFFFFF0u}, DetailsFetch::TooLarge, 0, {0}},  // never allocated
        {{300, qlctl::kMaxDetailsBytes + 1}, DetailsFetch::TooLarge, 0, {0, 300}},
    };
    for (const auto& c : cases) {
        gAnswers = c.answers, gAsked.clear();
        std::vector<unsigned char> buffer;
        size_t filled = 99;
        EXPECT_EQ(qlctl::FetchDetails(ScriptedDetails, buffer, filled), c.result) << c.answers[1 % c.answers.size()];
        EXPECT_EQ(filled, c.filled);
        EXPECT_LE(filled, buffer.size());
        EXPECT_EQ(gAsked, c.asked);
    }
}

constexpr size_t kFixed = sizeof(QlPointOfPresenceDetailsEx);

// The library's layout: the fixed part, then the physical address (3 bytes),
// the name "eth7", the second text "wired" and the trailing bytes (2).
struct Record {
    std::vector<unsigned char> bytes = std::vector<unsigned char>(kFixed + 3 + 10 + 12 + 2);
    QlPointOfPresenceDetailsEx fixed{};
    QlPointOfPresenceDetails& d = fixed.details;

    Record() {
        d.size = sizeof(QlPointOfPresenceDetails);
        fixed.interfaceValue3 = ~0ull;
        d.physicalAddress = place(kFixed, "\x00\x1A\x2B", 3, d.physicalAddressLength);
        d.name = reinterpret_cast<const wchar_t*>(place(kFixed + 3, L"eth7", 10, d.nameBytes));
        d.secondText = reinterpret_cast<const wchar_t*>(place(kFixed + 13, L"wired", 12, d.secondTextBytes));
        d.trailingBytes = place(kFixed + 25, "\xDE\xAD", 2, d.trailingLength);
    }
    const unsigned char* place(size_t at, const void* part, QlUInt32 length, QlUInt32& lengthField) {
        memcpy(&bytes[at], part, length);
        lengthField = length;
        return &bytes[at];
    }
    // Computed as a number: pointer arithmetic outside the array is undefined.
    const unsigned char* at(intptr_t offset) const {
        return reinterpret_cast<const unsigned char*>(reinterpret_cast<intptr_t>(bytes.data()) + offset);
    }
};

TEST(PopRecord, ReadTakesOnlyWhatLiesInsideTheRecord) {
    const struct {
        std::function<void(Record&, size_t& filled)> change;
        const char* fault;  // "": the record is read, with this name
        const wchar_t* name;
    } cases[] = {
        {[](Record&, size_t&) {}, "", L"eth7"},
        {[](Record& r, size_t&) { r.d.nameBytes = 0, r.d.name = nullptr; }, "", L""},  // may point anywhere
        {[](Record& r, size_t&) { r.bytes[kFixed + 3 + 4] = 0; }, "", L"et"},           // ends at a terminator
        {[](Record& r, size_t&) { r.d.nameBytes = 8; }, "", L"eth7"},                  // or with its part
        {[](Record&, size_t& filled) { filled = kFixed - 1; }, "fewer than its fixed part", L""},
        {[](Record& r, size_t&) { r.d.size = 140; }, "fixed part says 140 bytes", L""},
        {[](Record& r, size_t&) { r.d.physicalAddress = r.at(-16); }, "physical address lies outside", L""},
        {[](Record& r, size_t&) { r.d.trailingBytes = r.at(kFixed - 2); }, "trailing bytes lies outside", L""},
        {[](Record&, size_t& filled) { --filled; }, "trailing bytes lies outside", L""},
        {[](Record& r, size_t&) { r.d.secondTextBytes = 0xFFFFFFFEu; }, "second text lies outside", L""},
        {[](Record& r, size_t&) { r.d.nameBytes = 3; }, "odd number of bytes", L""},
    };
    for (const auto& c : cases) {
        Record record;
        size_t filled = record.bytes.size();
        c.change(record, filled);
        memcpy(record.bytes.data(), &record.fixed, kFixed);
        qlctl::PopDetails details;
        const std::string fault = qlctl::ReadDetails(record.bytes.data(), filled, details);
        if (*c.fault) {
            EXPECT_NE(fault.find(c.fault), std::string::npos) << fault;
            continue;
        }
        EXPECT_EQ(fault, "");
        EXPECT_EQ(details.name, c.name);
        EXPECT_EQ(details.interfaceValue3, ~0ull);
        EXPECT_EQ(details.physicalAddress, (std::vector<uint8_t>{0x00, 0x1A, 0x2B}));
        EXPECT_EQ(details.secondText, L"wired");
        EXPECT_EQ(details.trailingBytes, (std::vector<uint8_t>{0xDE, 0xAD}));
    }
}

}  // namespace
}  // namespace qltest
