#include "diag/diag_source.h"

namespace qlclapi {

namespace {

struct SourceEntry {
    DiagSource source;
    const char* name;
};

const SourceEntry kSources[] = {
    {kSourceUnknown, ""}, {kSourceButton, "button"}, {kSourceApi, "API"},
    {kSourceScheduled, "scheduled"}, {kSourcePolicy, "policy"},
};

}  // namespace

const char* SourceName(DiagSource source) noexcept {
    for (const SourceEntry& entry : kSources)
        if (entry.source == source) return entry.name;
    return kSources[0].name;
}

DiagSource SourceFromName(const std::string& name) noexcept {
    for (const SourceEntry& entry : kSources)
        if (name == entry.name) return entry.source;
    return kSourceUnknown;
}

}  // namespace qlclapi
