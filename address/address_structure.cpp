// The structural pass: decides from the token sequence alone which form the
// text has (IPv4, IPv6 or port only) and where its parts are, before any
// number is read. Then the caller's flags are checked against what was found.
#include "address/address_parse_state.h"
#include "address/address_text.h"

namespace {

constexpr bool IsSet(uint8_t position) noexcept { return position != kAddressNoToken; }

class StructureScan {
public:
    StructureScan(AddressParseState* state, uint32_t flags) noexcept
        : s_(*state), acceptPortOnly_((flags & AddressParseFlags::AcceptPortOnly) != 0) {}

    bool Run() noexcept {
        s_.ipv4Form = s_.ipv6Form = s_.portOnlyForm = false;
        s_.addressStart = s_.doubleColon = s_.addressEnd = kAddressNoToken;
        s_.zoneAt = s_.portAt = s_.prefixAt = kAddressNoToken;

        const uint8_t last = static_cast<uint8_t>(s_.count - 1);  // the end token
        for (uint8_t i = 0; i < last; ++i) {
            if (!Step(i)) return false;
        }
        if (IsSet(s_.addressStart) && !IsSet(s_.addressEnd)) s_.addressEnd = last;
        // A bare number is no address.
        if (!s_.ipv4Form && !s_.ipv6Form && !s_.portOnlyForm) return false;
        // "1.2.3.4:" names no port; only the port-only callers accept that.
        if (acceptPortOnly_ && s_.portAt == last) s_.portAt = kAddressNoToken;
        return HoldsNumber(s_.zoneAt) && HoldsNumber(s_.portAt) && HoldsNumber(s_.prefixAt);
    }

private:
    uint32_t Kind(uint8_t i) const noexcept { return s_.tokens[i].kind; }

    bool HoldsNumber(uint8_t position) const noexcept {
        return !IsSet(position) || Kind(position) == kAddressTokenNumber;
    }

    // The token after i is the port; there is only one.
    bool TakePort(uint8_t i) noexcept {
        if (IsSet(s_.portAt)) return false;
        s_.portAt = static_cast<uint8_t>(i + 1);
        return true;
    }

    void EndAddressAt(uint8_t i) noexcept {
        if (!IsSet(s_.addressEnd)) s_.addressEnd = i;
    }

    bool Step(uint8_t i) noexcept {
        switch (Kind(i)) {
        case kAddressTokenNumber:
            if (!IsSet(s_.addressStart)) s_.addressStart = i;
            return true;
        case u'[':
            if (inBrackets_ || s_.ipv4Form) return false;
            inBrackets_ = true;
            return true;
        case u']':
            if (!inBrackets_ || s_.ipv4Form || !IsSet(s_.addressStart)) return false;
            EndAddressAt(i);
            bracketClosed_ = true;
            return true;
        case u':':
            return Colon(i);
        case u'/':
            if (!s_.ipv4Form && !s_.ipv6Form) return false;
            if (IsSet(s_.prefixAt) || IsSet(s_.portAt) || (s_.ipv6Form && bracketClosed_) ||
                !IsSet(s_.addressStart)) {
                return false;
            }
            EndAddressAt(i);
            s_.prefixAt = static_cast<uint8_t>(i + 1);
            return true;
        case u'%':
            if (!s_.ipv6Form || IsSet(s_.zoneAt) || bracketClosed_ || IsSet(s_.prefixAt) ||
                IsSet(s_.portAt) || !IsSet(s_.addressStart)) {
                return false;
            }
            EndAddressAt(i);
            s_.zoneAt = static_cast<uint8_t>(i + 1);
            return true;
        case u'.':
            if (s_.ipv6Form) {
                // Only the dotted tail of the address itself may hold dots.
                if (bracketClosed_ || IsSet(s_.zoneAt) || IsSet(s_.prefixAt)) return false;
            } else {
                s_.ipv4Form = true;
            }
            if (IsSet(s_.portAt)) return false;
            dotSeen_ = true;
            return true;
        default:
            return false;
        }
    }

    bool Colon(uint8_t i) noexcept {
        // Every token before the end has a next one.
        const uint32_t next = Kind(static_cast<uint8_t>(i + 1));
        if (s_.ipv4Form) {
            EndAddressAt(i);
            return TakePort(i);
        }
        if (acceptPortOnly_ && i == 0) {
            if (next == kAddressTokenEnd) {
                s_.portOnlyForm = true;
                return true;
            }
            if (next == kAddressTokenNumber && Kind(static_cast<uint8_t>(i + 2)) == kAddressTokenEnd) {
                s_.portOnlyForm = true;
                s_.portAt = static_cast<uint8_t>(i + 1);
                return true;
            }
        }
        if (s_.portOnlyForm) return true;

        s_.ipv6Form = true;
        // After "]" a colon can only introduce the port.
        if (bracketClosed_) return TakePort(i);
        // A colon after a dotted tail or after the zone or prefix.
        if (dotSeen_ || IsSet(s_.addressEnd)) return false;
        if (!colonSeen_ && !IsSet(s_.addressStart)) s_.addressStart = i;
        colonSeen_ = true;
        if (next == u':') {
            if (IsSet(s_.doubleColon)) return false;
            s_.doubleColon = i;
        }
        return true;
    }

    AddressParseState& s_;
    const bool acceptPortOnly_;
    bool inBrackets_ = false;
    bool bracketClosed_ = false;
    bool dotSeen_ = false;
    bool colonSeen_ = false;
};

}  // namespace

bool ScanAddressStructure(AddressParseState* state, uint32_t flags) noexcept {
    return StructureScan(state, flags).Run();
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
