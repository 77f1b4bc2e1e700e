// id: the client's permanent identifier in hexadecimal.
#include <vector>

#include "client_library.h"
#include "command.h"
#include "core/hex_text.h"

namespace qlctl {

namespace {

// Larger identifiers are refused rather than allocated.
constexpr QlUInt32 kLargestId = 1u << 20;

std::string PlainHex(const std::vector<unsigned char>& bytes) {
    std::string text(2 * bytes.size(), '\0');
    qlclapi::PutHexBytes(&text[0], bytes.data(), bytes.size(), '\0');
    return text;
}

int RunId(const Words& words, ClientLibrary& library) {
    bool json;
    if (int usage = ParseJsonOnly(kIdCommand, words, json)) return usage;
    auto getId = QLCTL_EXPORT(library, QuorlanGetPermanentID);
    if (!getId) return kExitLibrary;
    // The library leaves the length as it was when the client's state key
    // is missing, which an identifier of exactly the buffer's size also
    // does: a second call with one more byte of room tells them apart.
    std::vector<unsigned char> id(32);
    for (int attempt = 0; attempt < 8; ++attempt) {
        QlUInt32 length = QlUInt32(id.size());
        if (!getId(id.data(), &length))
            return Fail(kIdCommand, kExitLibrary, "the library refused to read the identifier");
        if (length == id.size()) {
            id.resize(id.size() + 1);
            length = QlUInt32(id.size());
            getId(id.data(), &length);
            if (length == id.size())
                return Fail(kIdCommand, kExitRefused,
                            "the client has no permanent identifier (its state key is missing)");
        }
        if (length <= id.size()) {
            id.resize(length);
            if (id.empty()) return Fail(kIdCommand, kExitRefused, "the client has no permanent identifier");
            std::string hex = PlainHex(id);
            if (json) return PrintLine(kIdCommand, JsonObject().addNumber("bytes", length).addString("id", hex).text());
            return PrintLine(kIdCommand, hex + " (" + std::to_string(length) + " bytes)");
        }
        if (length > kLargestId)
            return Fail(kIdCommand, kExitLibrary, "the identifier claims " + std::to_string(length) + " bytes");
        id.resize(length);
    }
    return Fail(kIdCommand, kExitLibrary, "the identifier kept changing its size");
}

}  // namespace

const Command kIdCommand = {
    L"id", "print the client's permanent identifier", "id [--json]",
    "  Prints the identifier's bytes as upper-case hexadecimal, without separators,\n"
    "  and their count (the client reserves 32). Needs no client driver. Exit code\n"
    "  1 when the client has no identifier.\n"
    "  --json   {\"bytes\":32,\"id\":\"3F2A...\"}\n",
    RunId};

}  // namespace qlctl
