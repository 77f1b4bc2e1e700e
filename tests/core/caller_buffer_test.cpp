// The size rule of the exports that hand text back in a caller's buffer:
// what the buffer holds afterwards, the result and the length.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/caller_buffer.h"

namespace {

using namespace qlclapi;

struct CopyCase {
    uint32_t bytes;          // the caller's length in bytes
    uint32_t result, lengthAfter;
    std::u16string buffer;   // all twelve units afterwards
};

const CopyCase kCopies[] = {
    {0, 0, 0, u"############"},
    {1, 0, 0, u"############"},
    {2, 0, 0, {u"\0###########", 12}},
    {5, 0, 0, {u"C\0##########", 12}},
    {18, 0, 0, {u"Connecte\0###", 12}},
    {20, 1, 20, {u"Connected\0##", 12}},
    {21, 1, 21, {u"Connected\0##", 12}},
    {0xFFFFFFFF, 1, 0xFFFFFFFF, {u"Connected\0##", 12}},
};

TEST(CallerBuffer, TextIsCopiedWholeOrCutTerminatedAndTheLengthZeroed) {
    // Exactly the text's units, on the heap: a read past them is caught.
    const std::vector<char16_t> text = {u'C', u'o', u'n', u'n', u'e', u'c', u't', u'e', u'd'};
    for (const CopyCase& c : kCopies) {
        std::u16string buffer(12, u'#');
        uint32_t length = c.bytes;
        EXPECT_EQ(DeliverText(text.data(), 9, &buffer[0], &length), c.result) << c.bytes;
        EXPECT_EQ(length, c.lengthAfter) << c.bytes;
        EXPECT_EQ(buffer, c.buffer) << c.bytes;
        buffer.assign(12, u'#');
        EXPECT_EQ(CopyCutToCapacity(text.data(), 9, &buffer[0], c.bytes / 2), c.result == 1) << c.bytes;
        EXPECT_EQ(buffer, c.buffer) << c.bytes;
    }
}

}  // namespace
