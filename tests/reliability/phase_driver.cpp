// The hostile driver: every request code the exports send refused, answered
// short and answered with the whole buffer claimed; then every record the
// library reads, and the state words, turned into lies.
#include <cstdio>

#include "suite.h"

namespace qlrel {

namespace {

struct Rule {
    const char* name;
    uint32_t mode;
    uint32_t bytes;
};

const Rule kRules[] = {
    {"refused", QLSIM_RULE_REFUSE, 0}, {"short 0", QLSIM_RULE_SHORT, 0}, {"short 1", QLSIM_RULE_SHORT, 1},
    {"short 3", QLSIM_RULE_SHORT, 3},  {"short 27", QLSIM_RULE_SHORT, 27}, {"buffer claimed full", QLSIM_RULE_FILL, 0},
};

}  // namespace

void RunHostileDriver(Suite& suite) {
    std::set<uint32_t> codes;
    for (const Target& target : suite.targets()) codes.insert(target.codes.begin(), target.codes.end());
    uint64_t calls = 0;
    // Per export, every rule on every code it sends, and every rule on all
    // codes at once.
    for (const Target& target : suite.targets()) {
        suite.progress("hostile driver", target.entry->name.c_str());
        std::string problems;
        auto run = [&](const std::string& how) {
            const std::string p = suite.callBenign(target, true);
            ++calls;
            if (!p.empty()) problems += (problems.empty() ? "" : "\n    ") + how + ": " + p;
        };
        for (const Rule& rule : kRules) {
            for (uint32_t code : target.codes) {
                ApplyState(suite.sim(), 0);
                suite.sim().setRule(code, rule.mode, rule.bytes);
                char how[64];
                snprintf(how, sizeof how, "0x%06X %s", code, rule.name);
                run(how);
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
            const std::string p = suite.callBenign(target, true);
            ++calls;
            if (!p.empty()) problems += (problems.empty() ? "" : "\n    ") + p;
        }
        suite.check("lying driver", lie.name, problems);
    }
    suite.sim().reset();
    printf("  %llu calls over %zu request codes, %zu rules and %zu lies\n", static_cast<unsigned long long>(calls),
           codes.size(), std::size(kRules), Lies().size());
}

}  // namespace qlrel
