// qlctl's reading of the details record, against records no library should
// hand over: sizes that keep growing or are absurd, pointers that leave the
// buffer, texts of odd length. In process: a real library never writes them.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "pop_details_reading.h"

namespace qltest {
namespace {

using qlctl::DetailsFetch;
using qlctl::kDetailsFetches;

// ---- FetchDetails against a stand-in for the export -----------------------

// What the stand-in answers, call by call (the last answer repeats), and
// the buffer sizes it was called with.
std::vector<uint32_t> gAnswers;
std::vector<uint32_t> gAskedSizes;

QlUInt32 QLCLAPI_CALL ScriptedDetails(void* buffer, QlUInt32 size) {
    gAskedSizes.push_back(buffer ? size : 0);
    size_t call = gAskedSizes.size() - 1;
    return gAnswers.empty() ? 0 : gAnswers[std::min(call, gAnswers.size() - 1)];
}

struct FetchCase {
    const char* name;
    std::vector<uint32_t> answers;
    DetailsFetch result;
    size_t filled;
    std::vector<uint32_t> askedSizes;  // 0 for the size query
};

const FetchCase kFetchCases[] = {
    {"SizeThenFetch", {300, 300}, DetailsFetch::Ok, 300, {0, 300}},
    {"GrewOnceInBetween", {300, 340, 340}, DetailsFetch::Ok, 340, {0, 300, 340}},
    {"ShrankInBetween", {300, 250}, DetailsFetch::Ok, 250, {0, 300}},
    {"NoPointOfPresence", {0}, DetailsFetch::None, 0, {0}},
    {"GoneBeforeTheFetch", {300, 0}, DetailsFetch::None, 0, {0, 300}},
    {"KeepsGrowing", {300, 301, 302, 303, 304, 305}, DetailsFetch::KeptGrowing, 0, {0, 300, 301, 302, 303}},
    {"AbsurdSizeIsNotAllocated", {0xFFFFFFF0u}, DetailsFetch::TooLarge, 0, {0}},
    {"GrowsIntoAnAbsurdSize", {300, qlctl::kMaxDetailsBytes + 1}, DetailsFetch::TooLarge, 0, {0, 300}},
};

class Fetch : public testing::TestWithParam<FetchCase> {};

TEST_P(Fetch, FollowsTheSizeProtocolAFewTimesAtMost) {
    const FetchCase& c = GetParam();
    static_assert(kDetailsFetches == 4, "KeepsGrowing expects four fetches");
    gAnswers = c.answers;
    gAskedSizes.clear();
    std::vector<unsigned char> buffer;
    size_t filled = 99;
    EXPECT_EQ(qlctl::FetchDetails(ScriptedDetails, buffer, filled), c.result);
    EXPECT_EQ(filled, c.filled);
    EXPECT_EQ(gAskedSizes, c.askedSizes);
    if (c.result == DetailsFetch::Ok) {
        EXPECT_GE(buffer.size(), filled) << "filled must lie within the buffer";
    }
}

INSTANTIATE_TEST_SUITE_P(PopRecord, Fetch, testing::ValuesIn(kFetchCases),
                         [](const testing::TestParamInfo<FetchCase>& info) { return info.param.name; });

// ---- ReadDetails on records built here -----------------------------------

constexpr size_t kFixed = sizeof(QlPointOfPresenceDetailsEx);
const unsigned char kPhysical[] = {0x00, 0x1A, 0x2B};
const wchar_t kName[] = L"eth7";  // 5 units with the terminator
const wchar_t kSecond[] = L"wired";
const unsigned char kTrailing[] = {0xDE, 0xAD};

// A record as the library lays it out: the fixed part, then physical
// address, name, second text and trailing bytes, behind each other.
struct Record {
    std::vector<unsigned char> bytes;
    QlPointOfPresenceDetailsEx fixed{};

    Record() {
        bytes.resize(kFixed + sizeof kPhysical + sizeof kName + sizeof kSecond + sizeof kTrailing);
        fixed.details.size = sizeof(QlPointOfPresenceDetails);
        fixed.details.interfaceValue1 = 7;
        fixed.interfaceValue2 = 0x1111222233334444ull;
        fixed.interfaceValue3 = ~0ull;
        fixed.socketAddress[0] = 2;
        size_t at = kFixed;
        fixed.details.physicalAddress = place(at, kPhysical, sizeof kPhysical);
        fixed.details.physicalAddressLength = sizeof kPhysical;
        fixed.details.name = reinterpret_cast<const wchar_t*>(place(at, kName, sizeof kName));
        fixed.details.nameBytes = sizeof kName;
        fixed.details.secondText = reinterpret_cast<const wchar_t*>(place(at, kSecond, sizeof kSecond));
        fixed.details.secondTextBytes = sizeof kSecond;
        fixed.details.trailingBytes = place(at, kTrailing, sizeof kTrailing);
        fixed.details.trailingLength = sizeof kTrailing;
    }
    const unsigned char* place(size_t& at, const void* part, size_t length) {
        memcpy(&bytes[at], part, length);
        at += length;
        return &bytes[at - length];
    }
    const unsigned char* at(size_t offset) const { return bytes.data() + offset; }
    // The fixed part written into the bytes, and the reader's verdict.
    std::string read(qlctl::PopDetails& details, size_t filled) {
        memcpy(bytes.data(), &fixed, sizeof fixed);
        return qlctl::ReadDetails(bytes.data(), filled, details);
    }
};

struct ReadCase {
    const char* name;
    std::function<void(Record&, size_t& filled)> change;
    const char* fault;  // empty: the record is read
    std::wstring interfaceName;
};

// Computed as a number: pointer arithmetic outside the array is undefined.
const unsigned char* Before(const unsigned char* at, uintptr_t bytes) {
    return reinterpret_cast<const unsigned char*>(reinterpret_cast<uintptr_t>(at) - bytes);
}

size_t NameOffset(const Record& r) {
    return size_t(reinterpret_cast<const unsigned char*>(r.fixed.details.name) - r.bytes.data());
}

const ReadCase kReadCases[] = {
    {"AsTheLibraryWritesIt", [](Record&, size_t&) {}, "", L"eth7"},
    {"EmptyPartsMayPointAnywhere",
     [](Record& r, size_t&) {
         r.fixed.details.name = reinterpret_cast<const wchar_t*>(1);
         r.fixed.details.nameBytes = 0;
     },
     "", L""},
    {"TextEndsAtItsFirstTerminator", [](Record& r, size_t&) { r.bytes[NameOffset(r) + 4] = 0; }, "", L"et"},
    {"TextWithoutTerminatorEndsWithItsPart", [](Record& r, size_t&) { r.fixed.details.nameBytes = 8; }, "",
     L"eth7"},
    {"FilledShorterThanTheFixedPart", [](Record&, size_t& filled) { filled = kFixed - 1; },
     "fewer than its fixed part", L""},
    {"OtherLayout", [](Record& r, size_t&) { r.fixed.details.size = 140; }, "fixed part says 140 bytes", L""},
    {"PartBeforeTheBuffer", [](Record& r, size_t&) { r.fixed.details.physicalAddress = Before(r.at(0), 16); },
     "physical address lies outside", L""},
    {"PartInsideTheFixedPart", [](Record& r, size_t&) { r.fixed.details.trailingBytes = r.at(kFixed - 2); },
     "trailing bytes lies outside", L""},
    {"PartBeyondWhatWasFilled", [](Record&, size_t& filled) { filled -= 1; }, "trailing bytes lies outside", L""},
    {"LengthThatWrapsAround", [](Record& r, size_t&) { r.fixed.details.secondTextBytes = 0xFFFFFFFEu; },
     "second text lies outside", L""},
    {"TextOfOddLength", [](Record& r, size_t&) { r.fixed.details.nameBytes = 3; }, "odd number of bytes", L""},
};

class Read : public testing::TestWithParam<ReadCase> {};

TEST_P(Read, TakesOnlyWhatLiesInsideTheRecord) {
    const ReadCase& c = GetParam();
    Record record;
    size_t filled = record.bytes.size();
    c.change(record, filled);
    qlctl::PopDetails details;
    std::string fault = record.read(details, filled);
    if (*c.fault) {
        EXPECT_NE(fault.find(c.fault), std::string::npos) << fault;
        return;
    }
    EXPECT_EQ(fault, "");
    EXPECT_EQ(details.name, c.interfaceName);
    EXPECT_EQ(details.interfaceValue1, 7u);
    EXPECT_EQ(details.interfaceValue2, 0x1111222233334444ull);
    EXPECT_EQ(details.interfaceValue3, ~0ull);
    EXPECT_EQ(details.socketAddress[0], 2u);
    EXPECT_EQ(details.physicalAddress, (std::vector<uint8_t>{0x00, 0x1A, 0x2B}));
    EXPECT_EQ(details.secondText, L"wired");
    EXPECT_EQ(details.trailingBytes, (std::vector<uint8_t>{0xDE, 0xAD}));
}

INSTANTIATE_TEST_SUITE_P(PopRecord, Read, testing::ValuesIn(kReadCases),
                         [](const testing::TestParamInfo<ReadCase>& info) { return info.param.name; });

}  // namespace
}  // namespace qltest
