#include "status/connection_status.h"

#include "status/string_ids.h"

namespace qlclapi {

namespace {

struct ThreeParts {
    uint64_t main, second, third;
};

// Every state except connecting and connected: the main text, then a space
// and the second part, then a line break and the third part, each part only
// when it has a text.
ThreeParts PartsOf(const ConnectionSnapshot& s) {
    switch (s.state) {
    case kStatusIdle: return {StringId::Idle, StringId::IdleDetail, StringId::NothingMore};
    case kStatusServerUnreachable: return {StringId::ServerUnreachable, StringId::NothingMore, StringId::NothingMore};
    case kStatusDisconnected: return {StringId::Disconnected, StringId::TrafficNotUsingClient, StringId::NothingMore};
    case kStatusClientNotLoaded: return {StringId::ClientNotLoaded, StringId::NothingMore, StringId::NothingMore};
    default:
        return {StringId::Disabled, StringId::DisabledDetail,
                s.disconnectReason ? StringId::ReasonBase + uint64_t(s.disconnectReason) : StringId::NothingMore};
    }
}

void ComposeThreeParts(const ThreeParts& parts, const StringTable& strings, StatusText& text) {
    text.load(strings, parts.main);
    BoundedText<kStatusPartUnits> part;
    part.load(strings, parts.second);
    if (!part.empty()) {
        text.append(u" ", 1);
        text.append(part);
    }
    part.load(strings, parts.third);
    if (!part.empty()) {
        text.appendLineBreak();
        text.append(part);
    }
}

// Both texts are appended even when empty, so the line break always is.
void AppendReasonTail(const ConnectionSnapshot& s, const StringTable& strings, StatusText& text) {
    text.appendLineBreak();
    StatusText part;
    part.load(strings, StringId::LastReasonLabel);
    text.append(part);
    part.load(strings, StringId::ReasonBase + uint64_t(s.disconnectReason));
    text.append(part);
}

void AppendTrafficTail(const ConnectionSnapshot& s, const StringTable& strings, StatusText& text) {
    if (!s.trafficBypassed) return;
    text.appendLineBreak();
    BoundedText<kTrafficLineUnits> line;
    line.load(strings, StringId::TrafficNotUsingClient);
    text.append(line);
}

void ComposeConnected(const ConnectionSnapshot& s, const StringTable& strings, StatusText& text) {
    if (!s.detailsAnswered) {
        text.load(strings, StringId::Connected);
        return;
    }
    const DetailsName user = UserOf(s.details);
    if (!user.present || user.length == 0)
        text.load(strings, StringId::Connected);
    else
        text.format(strings, StringId::ConnectedAs, user.text, user.length);
    const DetailsName device = DeviceOf(s.details);
    if (!device.present) return;
    BoundedText<kDeviceLineUnits> line;
    if (device.length)
        line.format(strings, StringId::DeviceConnectedAs, device.text, device.length);
    else
        line.load(strings, StringId::DeviceConnected);
    text.appendLineBreak();
    text.append(line);
}

}  // namespace

void ComposeStatusText(const ConnectionSnapshot& snapshot, const StringTable& strings, StatusText& text) {
    switch (snapshot.state) {
    case kStatusConnecting:
        text.load(strings, snapshot.connectingPhase ? StringId::PhaseBase + uint64_t(snapshot.connectingPhase)
                                                    : StringId::Connecting);
        AppendReasonTail(snapshot, strings, text);
        break;
    case kStatusConnected:
        ComposeConnected(snapshot, strings, text);
        break;
    default:
        ComposeThreeParts(PartsOf(snapshot), strings, text);
        if (snapshot.state == kStatusDisconnected) AppendReasonTail(snapshot, strings, text);
        break;
    }
    AppendTrafficTail(snapshot, strings, text);
}

}  // namespace qlclapi
