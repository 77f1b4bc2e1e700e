// The structural pass: decides from the token sequence alone which form the
// text has (IPv4, IPv6 or port only) and where its parts are, before any
// number is read. Then the caller's flags are checked against what was found.
#include <initializer_list>

#include "address/address_parse_state.h"
#include "address/address_text.h"

namespace {

constexpr bool IsSet(uint8_t position) noexcept { return position != kAddressNoToken; }

}  // namespace

// The positions live in locals while the loop runs so that they stay in
// registers; the state is written once at the end.
bool ScanAddressStructure(AddressParseState* state, uint32_t flags) noexcept {
    const AddressToken* const tokens = state->tokens;
    const uint8_t last = static_cast<uint8_t>(state->count - 1);  // the end token
    const bool acceptPortOnly = (flags & AddressParseFlags::AcceptPortOnly) != 0;
    bool ipv4 = false, ipv6 = false, portOnly = false;
    uint8_t start = kAddressNoToken, doubleColon = kAddressNoToken, end = kAddressNoToken;
    uint8_t zoneAt = kAddressNoToken, portAt = kAddressNoToken, prefixAt = kAddressNoToken;
    bool inBrackets = false, bracketClosed = false, dotSeen = false, colonSeen = false;

    // The token after i is the port; there is only one.
    auto takePort = [&](uint8_t i) {
        if (IsSet(portAt)) return false;
        portAt = static_cast<uint8_t>(i + 1);
        return true;
    };
    auto endAddressAt = [&](uint8_t i) {
        if (!IsSet(end)) end = i;
    };

    for (uint8_t i = 0; i < last; ++i) {
        // Every token before the end has a next one.
        const uint32_t next = tokens[i + 1].kind;
        switch (tokens[i].kind) {
        case kAddressTokenNumber:
            if (!IsSet(start)) start = i;
            break;
        case u'[':
            if (inBrackets || ipv4) return false;
            inBrackets = true;
            break;
        case u']':
            if (!inBrackets || ipv4 || !IsSet(start)) return false;
            endAddressAt(i);
            bracketClosed = true;
            break;
        case u':':
            if (ipv4) {
                endAddressAt(i);
                if (!takePort(i)) return false;
                break;
            }
            if (acceptPortOnly && i == 0) {
                if (next == kAddressTokenEnd) {
                    portOnly = true;
                    break;
                }
                if (next == kAddressTokenNumber && tokens[i + 2].kind == kAddressTokenEnd) {
                    portOnly = true;
                    portAt = static_cast<uint8_t>(i + 1);
                    break;
                }
            }
            if (portOnly) break;
            ipv6 = true;
            // After "]" a colon can only introduce the port.
            if (bracketClosed) {
                if (!takePort(i)) return false;
                break;
            }
            // A colon after a dotted tail, a zone or a prefix.
            if (dotSeen || IsSet(end)) return false;
            if (!colonSeen && !IsSet(start)) start = i;
            colonSeen = true;
            if (next == u':') {
                if (IsSet(doubleColon)) return false;
                doubleColon = i;
            }
            break;
        case u'/':
            if ((!ipv4 && !ipv6) || IsSet(prefixAt) || IsSet(portAt) || (ipv6 && bracketClosed) ||
                !IsSet(start)) {
                return false;
            }
            endAddressAt(i);
            prefixAt = static_cast<uint8_t>(i + 1);
            break;
        case u'%':
            if (!ipv6 || IsSet(zoneAt) || bracketClosed || IsSet(prefixAt) || IsSet(portAt) ||
                !IsSet(start)) {
                return false;
            }
            endAddressAt(i);
            zoneAt = static_cast<uint8_t>(i + 1);
            break;
        case u'.':
            if (ipv6) {
                // Only the dotted tail of the address itself may hold dots.
                if (bracketClosed || IsSet(zoneAt) || IsSet(prefixAt)) return false;
            } else {
                ipv4 = true;
            }
            if (IsSet(portAt)) return false;
            dotSeen = true;
            break;
        default:
            return false;
        }
    }
    if (IsSet(start) && !IsSet(end)) end = last;
    // A bare number is no address.
    if (!ipv4 && !ipv6 && !portOnly) return false;
    // "1.2.3.4:" names no port; only the port-only callers accept that.
    if (acceptPortOnly && portAt == last) portAt = kAddressNoToken;
    for (uint8_t position : {zoneAt, portAt, prefixAt}) {
        if (IsSet(position) && tokens[position].kind != kAddressTokenNumber) return false;
    }

    state->ipv4Form = ipv4;
    state->ipv6Form = ipv6;
    state->portOnlyForm = portOnly;
    state->addressStart = start;
    state->doubleColon = doubleColon;
    state->addressEnd = end;
    state->zoneAt = zoneAt;
    state->portAt = portAt;
    state->prefixAt = prefixAt;
    return true;
}

bool CheckAddressParseFlags(const AddressParseState* state, uint32_t flags) noexcept {
    using namespace AddressParseFlags;
    const bool hasPrefix = IsSet(state->prefixAt);
    const bool hasPort = IsSet(state->portAt);
    if (state->ipv6Form && (flags & RejectIPv6)) return false;
    if (state->ipv4Form && (flags & RejectIPv4)) return false;
    if (state->portOnlyForm && !(flags & AcceptPortOnly)) return false;
    if (hasPrefix ? (flags & RejectPrefix) : (flags & RequirePrefix)) return false;
    if (hasPort ? (flags & RejectPort) : (flags & RequirePort)) return false;
    return true;
}
