// The hostile driver: every request code the exports send refused, answered
// short and answered with the whole buffer claimed; then every record the
// library reads, and the state words, turned into lies.
#include <climits>
#include <cstdio>
#include <tuple>

#include "sim_records.h"
#include "suite.h"

namespace qlrel {

namespace {

using qlsim::IPv4Record;
using qlsim::SimInterface;

struct Rule {
    const char* name;
    uint32_t mode;
    uint32_t bytes;
};

const Rule kRules[] = {
    {"refused", QLSIM_RULE_REFUSE, 0}, {"short 0", QLSIM_RULE_SHORT, 0}, {"short 1", QLSIM_RULE_SHORT, 1},
    {"short 3", QLSIM_RULE_SHORT, 3},  {"short 27", QLSIM_RULE_SHORT, 27}, {"buffer claimed full", QLSIM_RULE_FILL, 0},
};

// A record of the driver (QLSIM_RECORD_*), or with record 0 the state
// words, turned into a lie; `code` is the request that hands it out.
struct Lie {
    std::string name;
    uint32_t record;
    std::vector<uint8_t> bytes;
    QlSimState state;
    uint32_t code;
};

// Deterministic noise.
std::vector<uint8_t> Noise(size_t count, uint32_t seed) {
    std::vector<uint8_t> bytes(count);
    for (auto& b : bytes) {
        seed = seed * 1664525u + 1013904223u;
        b = uint8_t(seed >> 24);
    }
    return bytes;
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
    for (auto [id, code, name] : {std::tuple(QLSIM_RECORD_VIRTUAL_ADDRESS, kVirtual, "virtual"),
                                  std::tuple(QLSIM_RECORD_SERVER_ADDRESSES, kServers, "servers"),
                                  std::tuple(QLSIM_RECORD_CONNECTION_DETAILS, kDetails, "details")}) {
        record(name + std::string(": all 0xFF"), id, code, std::vector<uint8_t>(1088, 0xFF));
        record(name + std::string(": noise"), id, code, Noise(1088, id));
        record(name + std::string(": empty"), id, code, {});
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
    for (int32_t state : {-1, 0, 7, INT_MIN})
        words("state " + std::to_string(state), [state](QlSimState& s) { s.connectionState = state; });
    words("reason 0xFFFFFFFF", [](QlSimState& s) { s.disconnectReason = 0xFFFFFFFF; });
    words("reason 157", [](QlSimState& s) { s.disconnectReason = 157; });
    words("phase 0xFFFFFFFF", [](QlSimState& s) { s.connectingPhase = 0xFFFFFFFF; });
    words("disconnected and connected", [](QlSimState& s) { s.disconnected = 0xFFFFFFFF; });
    words("traffic bypassed 0xFFFFFFFF", [](QlSimState& s) { s.trafficBypassed = 0xFFFFFFFF; });
    return lies;
}

}  // namespace

void RunHostileDriver(Suite& suite) {
    std::set<uint32_t> codes;
    for (const Target& target : suite.targets()) codes.insert(target.codes.begin(), target.codes.end());
    // Per export, every rule on every code it sends, and every rule on all
    // codes at once.
    for (const Target& target : suite.targets()) {
        suite.progress("hostile driver", target.entry->name.c_str());
        std::string problems;
        auto run = [&](const std::string& how) {
            const std::string p = suite.callBenign(target, true);
            Append(problems, p.empty() ? p : how + ": " + p, "\n    ");
        };
        for (const Rule& rule : kRules) {
            for (uint32_t code : target.codes) {
                ApplyState(suite.sim(), 0);
                suite.sim().setRule(code, rule.mode, rule.bytes);
                run(Hex(code) + " " + rule.name);
            }
            ApplyState(suite.sim(), 0);
            for (uint32_t code : codes) suite.sim().setRule(code, rule.mode, rule.bytes);
            run(std::string("every code ") + rule.name);
        }
        suite.check("hostile driver", target.entry->name, problems);
    }
    // Lies, each to the exports that ask for the lying answer.
    for (const Lie& lie : Lies()) {
        std::string problems;
        for (const Target& target : suite.targets()) {
            if (lie.code && !target.codes.count(lie.code)) continue;
            if (!lie.code && target.codes.empty()) continue;
            suite.progress("lying driver", target.entry->name.c_str());
            ApplyState(suite.sim(), 0);
            if (lie.record)
                suite.sim().setRecord(lie.record, lie.bytes);
            else
                suite.sim().setState(lie.state);
            Append(problems, suite.callBenign(target, true), "\n    ");
        }
        suite.check("lying driver", lie.name, problems);
    }
    printf("  %zu request codes, %zu rules, %zu lies\n", codes.size(), std::size(kRules), Lies().size());
}

}  // namespace qlrel
