// Address lists and endpoint pair lists: parsing into one block, the first
// failing entry's code, and formatting back.
#include <gtest/gtest.h>

#include <vector>

#include "address/address_list.h"
#include "address_test_support.h"

namespace {

using namespace AddressParseFlags;

struct ListCase {
    const char16_t* text;
    uint32_t flags;
    uint32_t result;
    const char16_t* formatted;  // the parsed list written back
};

// Each case is parsed with extra delimiter "|" and, when that succeeds,
// formatted back.
template <typename List>
void CheckParsesAndFormatsBack(const std::vector<ListCase>& cases,
                               uint32_t (*parse)(const char16_t*, const char16_t*, uint32_t, List**),
                               uint32_t (*format)(const List*, char16_t*, uint32_t, uint32_t*, uint32_t),
                               void (*release)(List*)) {
    for (const ListCase& c : cases) {
        SCOPED_TRACE(Narrow(c.text));
        List* list = reinterpret_cast<List*>(1);
        ASSERT_EQ(parse(c.text, u"|", c.flags, &list), c.result);
        if (c.result != kAddressTextOk) {
            EXPECT_EQ(list, nullptr);
            continue;
        }
        char16_t buffer[200];
        EXPECT_EQ(format(list, buffer, 200, nullptr, 0), kAddressTextOk);
        EXPECT_EQ(std::u16string(buffer), c.formatted);
        release(list);
    }
}

TEST(AddressList, PairsParseAndFormatBack) {
    CheckParsesAndFormatsBack<EndpointPairList>(
        {
            {u"10.0.0.1,10.0.0.2;[::1]:80", 0, kAddressTextOk, u"10.0.0.1,10.0.0.2;[::1]:80"},
            {u"/:5008;,10.0.0.3", 0, kAddressTextOk, u":5008;,10.0.0.3"},
            {u"10.0.0.1,;;x", AcceptHostName, kAddressTextOk, u"10.0.0.1;;x"},
            {u"vpn.example.com,10.0.0.2", AcceptHostName, kAddressTextOk,
             u"vpn.example.com,10.0.0.2"},
            {u"vpn.example.com,10.0.0.2", 0, kAddressTextInvalid, nullptr},
            {u"10.0.0.1,bad", AcceptHostName, kAddressTextInvalid, nullptr},  // only primaries
            {u"10.0.0.1:80,10.0.0.2", RejectPort, kAddressTextInvalid, nullptr},
        },
        ParseEndpointPairList, FormatEndpointPairList, FreeEndpointPairList);
}

TEST(AddressList, PairFields) {
    EndpointPairList* list = nullptr;
    ASSERT_EQ(ParseEndpointPairList(u":5008,[::1]:9;host,1.2.3.4", nullptr, AcceptHostName, &list),
              kAddressTextOk);
    ASSERT_EQ(list->count, 2u);
    const EndpointPair& first = EndpointPairs(list)[0];
    EXPECT_EQ(first.primary.family, kSilFamilyEmpty);
    EXPECT_EQ(first.primary.port, htons(5008));
    EXPECT_TRUE(SameRecord(first.secondary, V6("::1", 9)));
    EXPECT_EQ(std::u16string(EndpointPairs(list)[1].primaryHostName), u"host");
    FreeEndpointPairList(list);

    // A host name fills the field up to its terminator; a longer one is none.
    const std::u16string longest(kEndpointHostNameUnits - 1, u'h');
    ASSERT_EQ(ParseEndpointPairList(longest.c_str(), nullptr, AcceptHostName, &list), kAddressTextOk);
    EXPECT_EQ(std::u16string(EndpointPairs(list)[0].primaryHostName), longest);
    FreeEndpointPairList(list);
    EXPECT_EQ(ParseEndpointPairList((longest + u'h').c_str(), nullptr, AcceptHostName, &list), kAddressTextInvalid);
}

}  // namespace
