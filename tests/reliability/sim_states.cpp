// The simulated client's states for the suite, and the lies it tells.
#include <climits>

#include "sim_records.h"
#include "suite.h"

namespace qlrel {

namespace {

using qlsim::IPv4Record;
using qlsim::SimInterface;

// Two interfaces; the first carries the point of presence. Names, texts
// and byte strings have the same lengths in both states, so that an answer
// read across a change has the size of either.
std::vector<uint8_t> TableHolding(const qlsim::AddressRecord& presence, int which) {
    SimInterface carrier, other;
    carrier.value4 = 4 + which;
    carrier.value16 = 0x1111222233334444ull + which;
    carrier.value5112 = 0x5555666677778888ull + which;
    carrier.flags = which ? 0x20 : 0x10;
    carrier.name = which ? u"eth1" : u"eth0";
    carrier.physical = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, uint8_t(0x5E + which)};
    carrier.secondText = which ? u"wireB" : u"wireA";
    carrier.trailing = {0xDE, 0xAD, uint8_t(which)};
    carrier.addresses = {IPv4Record(192, 0, 2, 1), presence};
    other.name = u"wlan0";
    other.addresses = {IPv4Record(192, 0, 2, 7)};
    return qlsim::InterfaceTableBytes({carrier, other});
}

// Deterministic noise.
std::vector<uint8_t> Noise(size_t count, uint32_t seed) {
    std::vector<uint8_t> bytes(count);
    for (auto& b : bytes) {
        seed = seed * 1664525u + 1013904223u;
        b = uint8_t(seed >> 24);
    }
    return bytes;
}

}  // namespace

void ApplyState(qlsim::SimControl& sim, int which, bool fromDefaults) {
    if (fromDefaults) sim.reset();
    sim.updateState([&](QlSimState& s) {
        s.connectionState = which ? 1 : 3;
        s.disconnectReason = 7;
        s.connectingPhase = 2;
    });
    const auto presence = IPv4Record(10, 1, 2, uint8_t(3 + which), 5008);
    sim.setRecord(QLSIM_RECORD_VIRTUAL_ADDRESS, qlsim::ShortRecordBytes(IPv4Record(10, 8, 0, uint8_t(2 + which))));
    sim.setRecord(QLSIM_RECORD_SERVER_ADDRESSES,
                  qlsim::ServerRecordsBytes(IPv4Record(203, 0, 113, uint8_t(9 + which), 443), presence));
    sim.setRecord(QLSIM_RECORD_INTERFACE_TABLE, TableHolding(presence, which));
    std::vector<uint8_t> details(1088, 0);
    const char16_t user[] = u"alice";
    memcpy(details.data(), user, sizeof user);
    sim.setRecord(QLSIM_RECORD_CONNECTION_DETAILS, details);
}

std::vector<Lie> Lies() {
    std::vector<Lie> lies;
    auto record = [&](std::string name, uint32_t id, uint32_t code, std::vector<uint8_t> bytes) {
        lies.push_back({std::move(name), id, std::move(bytes), {}, code});
    };
    auto words = [&](std::string name, auto change) {
        Lie lie{std::move(name), 0, {}, {}, 0};
        lie.state.version = QLSIM_DEFAULT_VERSION;
        lie.state.connectionState = 3;
        change(lie.state);
        lies.push_back(lie);
    };
    const uint32_t kVirtual = 0x22241F, kServers = 0x22250F, kTable = 0x2224BF, kDetails = 0x22245F;
    for (uint32_t id : {QLSIM_RECORD_VIRTUAL_ADDRESS, QLSIM_RECORD_SERVER_ADDRESSES, QLSIM_RECORD_CONNECTION_DETAILS}) {
        const uint32_t code = id == QLSIM_RECORD_VIRTUAL_ADDRESS ? kVirtual : id == QLSIM_RECORD_SERVER_ADDRESSES ? kServers : kDetails;
        const std::string name = id == QLSIM_RECORD_VIRTUAL_ADDRESS ? "virtual" : id == QLSIM_RECORD_SERVER_ADDRESSES ? "servers" : "details";
        record(name + ": all 0xFF", id, code, std::vector<uint8_t>(1088, 0xFF));
        record(name + ": noise", id, code, Noise(1088, id));
        record(name + ": empty", id, code, {});
    }
    auto addressRecord = [](uint16_t family, uint8_t fill) {
        qlsim::AddressRecord r;
        r.fill(fill);
        memcpy(r.data(), &family, 2);
        return r;
    };
    for (uint16_t family : {uint16_t(2), uint16_t(23), uint16_t(0x1234), uint16_t(0xFFFF)}) {
        const auto r = addressRecord(family, 0xEE);
        record("servers: family " + std::to_string(family) + " full of 0xEE", QLSIM_RECORD_SERVER_ADDRESSES,
               kServers, qlsim::ServerRecordsBytes(r, r));
        record("virtual: family " + std::to_string(family) + " full of 0xEE", QLSIM_RECORD_VIRTUAL_ADDRESS, kVirtual,
               qlsim::ShortRecordBytes(r));
    }
    for (size_t length : {size_t(1), size_t(7), size_t(8), size_t(9), size_t(5239), size_t(5240), size_t(83720),
                          size_t(83721), size_t(250000)})
        record("table: " + std::to_string(length) + " bytes of noise", QLSIM_RECORD_INTERFACE_TABLE, kTable,
               Noise(length, uint32_t(length)));
    const auto presence = IPv4Record(10, 1, 2, 3, 5008);
    auto liar = [&](std::string name, auto change, int64_t countClaim = INT64_MIN) {
        SimInterface i;
        i.name = u"eth0";
        i.addresses = {presence};
        i.physical = {1, 2, 3};
        i.secondText = u"second";
        i.trailing = {9, 9};
        change(i);
        record("table: " + name, QLSIM_RECORD_INTERFACE_TABLE, kTable, qlsim::InterfaceTableBytes({i}, countClaim));
    };
    liar("entry count INT32_MAX", [](SimInterface&) {}, INT32_MAX);
    liar("entry count -1", [](SimInterface&) {}, -1);
    liar("entry count 0", [](SimInterface&) {}, 0);
    liar("slot count 1000000000", [](SimInterface& i) { i.slotCountClaim = 1000000000; });
    liar("slot count -5", [](SimInterface& i) { i.slotCountClaim = -5; });
    liar("physical length 255", [](SimInterface& i) { i.physicalLengthClaim = 255; });
    liar("second text length 0xFFFFFFFF", [](SimInterface& i) { i.secondTextLengthClaim = 0xFFFFFFFF; });
    liar("trailing length 0xFFFFFFFF", [](SimInterface& i) { i.trailingLengthClaim = 0xFFFFFFFF; });
    liar("name without terminator", [](SimInterface& i) { i.nameFillsFieldWithoutTerminator = true; });
    liar("presence in the last slot", [&](SimInterface& i) {
        i.addresses.assign(qlsim::kSimAddressMaxSlots - 1, IPv4Record(192, 0, 2, 9));
        i.addresses.push_back(presence);
    });
    words("state -1", [](QlSimState& s) { s.connectionState = -1; });
    words("state 0", [](QlSimState& s) { s.connectionState = 0; });
    words("state 7", [](QlSimState& s) { s.connectionState = 7; });
    words("state INT_MIN", [](QlSimState& s) { s.connectionState = INT_MIN; });
    words("reason 0xFFFFFFFF", [](QlSimState& s) { s.disconnectReason = 0xFFFFFFFF; });
    words("reason 157", [](QlSimState& s) { s.disconnectReason = 157; });
    words("phase 0xFFFFFFFF", [](QlSimState& s) { s.connectingPhase = 0xFFFFFFFF; });
    words("disconnected and connected", [](QlSimState& s) { s.disconnected = 0xFFFFFFFF; });
    words("traffic bypassed 0xFFFFFFFF", [](QlSimState& s) { s.trafficBypassed = 0xFFFFFFFF; });
    return lies;
}

}  // namespace qlrel
