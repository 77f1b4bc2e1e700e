// The simulated client's states for the suite.
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

}  // namespace qlrel
