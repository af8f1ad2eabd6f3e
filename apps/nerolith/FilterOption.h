#pragma once

#include <CLI/CLI.hpp>

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

#include "desk/calc/FilterDesign.h"
#include "desk/runtime/Session.h"

namespace Nerolith::Cli {

// --filter LOW:HIGH | LOW: | off, --filter-order N, --reference-channels
// LIST and --reference-mode median|average: the filter set on the source channel
// before detection, as a channel calculation the document keeps.
struct FilterOption {
    std::optional<std::string> band;
    int order = 2;
    std::optional<std::string> referenceChannels;
    std::string reference = "median";

    void AddTo(CLI::App& command);
    // Sets the filter on the channel (zero-phase, or causal while sampling);
    // without --filter keeps the document's filter, made causal while
    // sampling.
    void Apply(Desk::Session& session, std::int32_t channel, bool online) const;
};

// The summary line of the channel's filter, when it has one.
void PrintFilterSummary(Desk::Session& session, std::int32_t channel, std::ostream& out);

} // namespace Nerolith::Cli
