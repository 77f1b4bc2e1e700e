// Address lists and endpoint pair lists: entry counting, parsing into one
// block, the first failing entry's code, and formatting back.
#include <gtest/gtest.h>

#include <vector>

#include "address/address_list.h"
#include "tests/native/address_test_support.h"

namespace {

TEST(AddressList, CountsEntries) {
    const struct {
        const char16_t* text;
        const char16_t* extra;
        uint32_t count;
    } cases[] = {
        {u"", nullptr, 0},
        {u"a", nullptr, 1},
        {u"a;b;c", nullptr, 3},
        {u"a;", nullptr, 2},
        {u";", nullptr, 2},
        {u"a,b;c", nullptr, 2},
        {u"a;b|c;d", u"|", 2},  // counting stops at the first extra delimiter
        {u"|a;b", u"|", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CountAddressListEntries(c.text, c.extra), c.count) << Narrow(c.text);
    }
}

std::vector<SilAddressRecord> Records(const SilAddressArray* list) {
    return std::vector<SilAddressRecord>(AddressArrayRecords(list),
                                         AddressArrayRecords(list) + list->count);
}

TEST(AddressList, ParsesEachEntry) {
    SilAddressArray* list = nullptr;
    ASSERT_EQ(ParseAddressList(u"10.0.0.1,10.9.9.9;[::1]:443;10.0.0.2/8|1.1.1.1", u"|", 0, &list),
              kAddressTextOk);
    const std::vector<SilAddressRecord> records = Records(list);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_TRUE(SameRecord(records[0], V4("10.0.0.1")));  // the secondary is not kept
    EXPECT_TRUE(SameRecord(records[1], V6("::1", 443)));
    EXPECT_TRUE(SameRecord(records[2], V4("10.0.0.2", 0, 8)));
    FreeAddressArray(list);
}

TEST(AddressList, FirstFailingEntryFailsTheList) {
    const struct {
        const char16_t* text;
        uint32_t flags;
        uint32_t result;
    } cases[] = {
        {u"10.0.0.1;bad", 0, kAddressTextInvalid},
        {u"10.0.0.1;", 0, kAddressTextInvalid},  // the empty last entry
        {u"10.0.0.1/8;10.0.0.2", AddressParseFlags::RejectPrefix, kAddressTextInvalid},
        {u"", 0, kAddressTextOk},
    };
    for (const auto& c : cases) {
        SilAddressArray* list = reinterpret_cast<SilAddressArray*>(1);
        EXPECT_EQ(ParseAddressList(c.text, nullptr, c.flags, &list), c.result) << Narrow(c.text);
        if (c.result != kAddressTextOk) EXPECT_EQ(list, nullptr);
        if (c.result == kAddressTextOk) EXPECT_EQ(list->count, 0u);
        FreeAddressArray(c.result == kAddressTextOk ? list : nullptr);
    }
    SilAddressArray* list;
    EXPECT_EQ(ParseAddressList(nullptr, nullptr, 0, &list), kAddressTextInvalidArgument);
}

TEST(AddressList, FormatsJoinedBySemicolons) {
    SilAddressArray* list = AllocateAddressArray(3);
    AddressArrayRecords(list)[0] = V4("10.0.0.1", 80);
    AddressArrayRecords(list)[2] = V6("::1", 0, 64);
    list->count = 3;
    const std::u16string expected = u"10.0.0.1:80;;::1/64";
    uint32_t needed = 0;
    EXPECT_EQ(FormatAddressList(list, nullptr, 0, &needed, 0), kAddressTextBufferTooSmall);
    EXPECT_EQ(needed, expected.size() + 1);
    std::vector<char16_t> buffer(needed + 1, u'#');
    EXPECT_EQ(FormatAddressList(list, buffer.data(), needed - 1, &needed, 0),
              kAddressTextBufferTooSmall);
    EXPECT_EQ(buffer[0], u'#');
    EXPECT_EQ(FormatAddressList(list, buffer.data(), needed, &needed, 0), kAddressTextOk);
    EXPECT_EQ(std::u16string(buffer.data()), expected);
    EXPECT_EQ(buffer[needed], u'#');

    AddressArrayRecords(list)[1].family = 5;  // a record that cannot be written
    EXPECT_EQ(FormatAddressList(list, buffer.data(), 80, &needed, 0), kAddressTextInvalidArgument);
    FreeAddressArray(list);
}

TEST(AddressList, PairsParseAndFormatBack) {
    using namespace AddressParseFlags;
    const struct {
        const char16_t* text;
        uint32_t flags;
        uint32_t result;
        const char16_t* formatted;  // the text written back from the parsed list
    } cases[] = {
        {u"10.0.0.1,10.0.0.2;[::1]:80", 0, kAddressTextOk, u"10.0.0.1,10.0.0.2;[::1]:80"},
        {u":5008,10.0.0.2", 0, kAddressTextOk, u":5008,10.0.0.2"},
        {u"/:5008;,10.0.0.3", 0, kAddressTextOk, u":5008;,10.0.0.3"},
        {u"10.0.0.1,;;x", AcceptHostName, kAddressTextOk, u"10.0.0.1;;x"},
        {u"vpn.example.com,10.0.0.2", AcceptHostName, kAddressTextOk, u"vpn.example.com,10.0.0.2"},
        {u"vpn.example.com,10.0.0.2", 0, kAddressTextInvalid, nullptr},
        {u"10.0.0.1,bad", AcceptHostName, kAddressTextInvalid, nullptr},  // only primaries
        {u"10.0.0.1:80,10.0.0.2", RejectPort, kAddressTextInvalid, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Narrow(c.text));
        EndpointPairList* list = nullptr;
        ASSERT_EQ(ParseEndpointPairList(c.text, nullptr, c.flags, &list), c.result);
        if (c.result != kAddressTextOk) {
            EXPECT_EQ(list, nullptr);
            continue;
        }
        char16_t buffer[200];
        EXPECT_EQ(FormatEndpointPairList(list, buffer, 200, nullptr, 0), kAddressTextOk);
        EXPECT_EQ(std::u16string(buffer), c.formatted);
        FreeEndpointPairList(list);
    }
}

TEST(AddressList, PairFields) {
    EndpointPairList* list = nullptr;
    ASSERT_EQ(ParseEndpointPairList(u":5008,[::1]:9;host,1.2.3.4", nullptr,
                                    AddressParseFlags::AcceptHostName, &list),
              kAddressTextOk);
    ASSERT_EQ(list->count, 2u);
    const EndpointPair& first = EndpointPairs(list)[0];
    EXPECT_EQ(first.primary.family, kSilFamilyEmpty);
    EXPECT_EQ(first.primary.port, htons(5008));
    EXPECT_TRUE(SameRecord(first.secondary, V6("::1", 9)));
    EXPECT_EQ(first.primaryHostName[0], 0);
    const EndpointPair& second = EndpointPairs(list)[1];
    EXPECT_EQ(std::u16string(second.primaryHostName), u"host");
    EXPECT_TRUE(SameRecord(second.primary, EmptyRecord()));
    FreeEndpointPairList(list);

    // A name longer than the field is no host name.
    const std::u16string longName(kEndpointHostNameUnits, u'h');
    EXPECT_EQ(ParseEndpointPairList(longName.c_str(), nullptr, AddressParseFlags::AcceptHostName,
                                    &list),
              kAddressTextInvalid);
}

}  // namespace
