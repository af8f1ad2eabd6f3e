#pragma once

#include <CLI/CLI.hpp>

#include <optional>
#include <ostream>

#include "desk/runtime/Session.h"

namespace Nerolith::Cli {

// The unit quality settings as options; those not given keep the
// document's.
struct QualityOptions {
    std::optional<double> refractoryMs;
    std::optional<double> presenceBinS;
    std::optional<double> warnRefractory;
    std::optional<double> warnIsolation;
    std::optional<double> warnLRatio;
    std::optional<double> warnSnr;
    std::optional<double> warnPresence;

    void AddTo(CLI::App& command);
    void Apply(Desk::Session& session) const;
};

// The summary's quality lines: one per unit of the source channel, with the
// marks of the figures past their warning thresholds. Nothing without units.
void PrintQualitySummary(Desk::Session& session, std::ostream& out);

// units.tsv: `unit`, `spikes`, then one column per figure (absent: "n/a").
void WriteUnitQualityTable(Desk::Session& session, std::ostream& out);

} // namespace Nerolith::Cli
