// qlctl's reading of the details record, in process, against what no real
// library hands over: sizes that keep growing or are absurd, pointers that
// leave the buffer, texts of odd length.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "pop_details_reading.h"

namespace qltest {
namespace {

using qlctl::DetailsFetch;

// A stand-in for the export: answers call by call (the last repeats) and
// notes the size of each call, 0 for the size query.
std::vector<uint32_t> gAnswers, gAsked;

QlUInt32 QLCLAPI_CALL ScriptedDetails(void* buffer, QlUInt32 size) {
    gAsked.push_back(buffer ? size : 0);
    return gAnswers[std::min(gAsked.size(), gAnswers.size()) - 1];
}

struct FetchCase {
    const char* name;
    std::vector<uint32_t> answers;
    DetailsFetch result;
    size_t filled;
    std::vector<uint32_t> asked;
};

const uint32_t kAbsurd = qlctl::kMaxDetailsBytes + 1;
const FetchCase kFetchCases[] = {
    {"SizeThenFetch", {300, 300}, DetailsFetch::Ok, 300, {0, 300}},
    {"GrewOnceInBetween", {300, 340, 340}, DetailsFetch::Ok, 340, {0, 300, 340}},
    {"ShrankInBetween", {300, 250}, DetailsFetch::Ok, 250, {0, 300}},
    {"NoPointOfPresence", {0}, DetailsFetch::None, 0, {0}},
    {"GoneBeforeTheFetch", {300, 0}, DetailsFetch::None, 0, {0, 300}},
    {"KeepsGrowing", {300, 301, 302, 303, 304, 305}, DetailsFetch::KeptGrowing, 0, {0, 300, 301, 302, 303}},
    {"AbsurdSizeIsNotAllocated", {0xFFFFFFF0u}, DetailsFetch::TooLarge, 0, {0}},
    {"GrowsIntoAnAbsurdSize", {300, kAbsurd}, DetailsFetch::TooLarge, 0, {0, 300}},
};

class Fetch : public testing::TestWithParam<FetchCase> {};

TEST_P(Fetch, FollowsTheSizeProtocolAFewTimesAtMost) {
    const FetchCase& c = GetParam();
    gAnswers = c.answers;
    gAsked.clear();
    std::vector<unsigned char> buffer;
    size_t filled = 99;
    EXPECT_EQ(qlctl::FetchDetails(ScriptedDetails, buffer, filled), c.result);
    EXPECT_EQ(filled, c.filled);
    EXPECT_LE(filled, buffer.size());
    EXPECT_EQ(gAsked, c.asked);
}

INSTANTIATE_TEST_SUITE_P(PopRecord, Fetch, testing::ValuesIn(kFetchCases),
                         [](const testing::TestParamInfo<FetchCase>& info) { return info.param.name; });

constexpr size_t kFixed = sizeof(QlPointOfPresenceDetailsEx);

// The library's layout: the fixed part, then physical address (3 bytes),
// name "eth7", second text "wired" and trailing bytes (2), in that order.
struct Record {
    std::vector<unsigned char> bytes = std::vector<unsigned char>(kFixed + 3 + 10 + 12 + 2);
    QlPointOfPresenceDetailsEx fixed{};

    Record() {
        fixed.details.size = sizeof(QlPointOfPresenceDetails);
        fixed.interfaceValue3 = ~0ull;
        fixed.details.physicalAddress = place(kFixed, "\x00\x1A\x2B", 3, fixed.details.physicalAddressLength);
        fixed.details.name =
            reinterpret_cast<const wchar_t*>(place(kFixed + 3, L"eth7", 10, fixed.details.nameBytes));
        fixed.details.secondText =
            reinterpret_cast<const wchar_t*>(place(kFixed + 13, L"wired", 12, fixed.details.secondTextBytes));
        fixed.details.trailingBytes = place(kFixed + 25, "\xDE\xAD", 2, fixed.details.trailingLength);
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

struct ReadCase {
    const char* name;
    std::function<void(Record&, size_t& filled)> change;
    const char* fault;  // "": the record is read
    const wchar_t* nameRead;
};

const ReadCase kReadCases[] = {
    {"AsTheLibraryWritesIt", [](Record&, size_t&) {}, "", L"eth7"},
    {"EmptyPartMayPointAnywhere",
     [](Record& r, size_t&) {
         r.fixed.details.nameBytes = 0;
         r.fixed.details.name = nullptr;
     },
     "", L""},
    {"TextEndsAtItsFirstTerminator", [](Record& r, size_t&) { r.bytes[kFixed + 3 + 4] = 0; }, "", L"et"},
    {"TextWithoutTerminatorEndsWithItsPart", [](Record& r, size_t&) { r.fixed.details.nameBytes = 8; }, "", L"eth7"},
    {"ShorterThanTheFixedPart", [](Record&, size_t& filled) { filled = kFixed - 1; }, "fewer than its fixed part", L""},
    {"OtherLayout", [](Record& r, size_t&) { r.fixed.details.size = 140; }, "fixed part says 140 bytes", L""},
    {"PartBeforeTheBuffer", [](Record& r, size_t&) { r.fixed.details.physicalAddress = r.at(-16); },
     "physical address lies outside", L""},
    {"PartInTheFixedPart", [](Record& r, size_t&) { r.fixed.details.trailingBytes = r.at(kFixed - 2); },
     "trailing bytes lies outside", L""},
    {"PartBeyondWhatWasFilled", [](Record&, size_t& filled) { --filled; }, "trailing bytes lies outside", L""},
    {"LengthThatWraps", [](Record& r, size_t&) { r.fixed.details.secondTextBytes = 0xFFFFFFFEu; },
     "second text lies outside", L""},
    {"TextOfOddLength", [](Record& r, size_t&) { r.fixed.details.nameBytes = 3; }, "odd number of bytes", L""},
};

class Read : public testing::TestWithParam<ReadCase> {};

TEST_P(Read, TakesOnlyWhatLiesInsideTheRecord) {
    const ReadCase& c = GetParam();
    Record record;
    size_t filled = record.bytes.size();
    c.change(record, filled);
    memcpy(record.bytes.data(), &record.fixed, kFixed);
    qlctl::PopDetails details;
    std::string fault = qlctl::ReadDetails(record.bytes.data(), filled, details);
    if (*c.fault) {
        EXPECT_NE(fault.find(c.fault), std::string::npos) << fault;
        return;
    }
    EXPECT_EQ(fault, "");
    EXPECT_EQ(details.name, c.nameRead);
    EXPECT_EQ(details.interfaceValue3, ~0ull);
    EXPECT_EQ(details.physicalAddress, (std::vector<uint8_t>{0x00, 0x1A, 0x2B}));
    EXPECT_EQ(details.secondText, L"wired");
    EXPECT_EQ(details.trailingBytes, (std::vector<uint8_t>{0xDE, 0xAD}));
}

INSTANTIATE_TEST_SUITE_P(PopRecord, Read, testing::ValuesIn(kReadCases),
                         [](const testing::TestParamInfo<ReadCase>& info) { return info.param.name; });

}  // namespace
}  // namespace qltest
