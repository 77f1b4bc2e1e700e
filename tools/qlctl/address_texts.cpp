#include "address_texts.h"

#include <winsock2.h>
#include <ws2ipdef.h>

#include <cstring>

#include "client_values.h"
#include "command.h"
#include "output.h"

namespace qlctl {

static_assert(sizeof(SOCKADDR_INET) == kSocketAddressBytes, "the Ex exports' socket address room");

std::string SocketAddressText(const unsigned char (&socketAddress)[kSocketAddressBytes]) {
    // Copied out of the caller's bytes: the address value reads them as a
    // socket structure, which needs the structure's alignment.
    SOCKADDR_INET copy;
    memcpy(&copy, socketAddress, sizeof copy);
    CSilAddress address(reinterpret_cast<const sockaddr*>(&copy));
    std::string text;
    return FormatRecordText(*address.Record(), 0, text) == kAddressTextOk ? text : std::string();
}

uint32_t FormatRecordText(const SilAddressRecord& record, uint32_t flags, std::string& utf8) {
    wchar_t text[kAddressTextCapacity];
    uint32_t code = FormatAddressText(&record, text, kAddressTextCapacity, nullptr, flags);
    if (code == kAddressTextOk) utf8 = Utf8(std::wstring(text, wcsnlen(text, kAddressTextCapacity)));
    return code;
}

std::string AddressCodeText(uint32_t code) {
    const char* meaning = "unknown result";
    switch (code) {
    case kAddressTextInvalid: meaning = "not a valid address text"; break;
    case kAddressTextInvalidArgument: meaning = "invalid argument"; break;
    case kAddressTextBufferTooSmall: meaning = "buffer too small"; break;
    case kAddressTextNoMemory: meaning = "out of memory"; break;
    }
    return HexWord(code) + " " + meaning;
}

}  // namespace qlctl
