// The simulated client's address records and interface table, set the way
// the tests of the address commands need them.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "sim_control.h"
#include "sim_records.h"

namespace qltest {

const std::array<uint8_t, 16> kLinkLocal1 = {0xFE, 0x80, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1};
const std::array<uint8_t, 16> kLinkLocal5 = {0xFE, 0x80, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 5};
const std::array<uint8_t, 16> kDocumentation1 = {0x20, 0x01, 0x0D, 0xB8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1};

struct AddressRecords {
    qlsim::AddressRecord virtualAddress, server, pointOfPresence;
};

// True when the driver took all three records.
inline bool SetAddressRecords(qlsim::SimControl& sim, const AddressRecords& records) {
    std::vector<uint8_t> virtualBytes = qlsim::ShortRecordBytes(records.virtualAddress);
    std::vector<uint8_t> serverBytes = qlsim::ServerRecordsBytes(records.server, records.pointOfPresence);
    return sim.setRecord(QLSIM_RECORD_VIRTUAL_ADDRESS, virtualBytes) &&
           sim.setRecord(QLSIM_RECORD_SERVER_ADDRESSES, serverBytes);
}

inline bool SetInterfaces(qlsim::SimControl& sim, const std::vector<qlsim::SimInterface>& interfaces) {
    std::vector<uint8_t> table = qlsim::InterfaceTableBytes(interfaces);
    return sim.setRecord(QLSIM_RECORD_INTERFACE_TABLE, table);
}

}  // namespace qltest
