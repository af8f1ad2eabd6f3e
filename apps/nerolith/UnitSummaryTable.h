#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "desk/runtime/Session.h"

namespace Nerolith::Cli {

// One row of the summary table: a unit of a recording (or its unassigned
// spikes), its spike count and mean rate, and the folder its files are in.
struct UnitSummaryRow {
    std::string recording;
    std::string unit;
    std::int64_t spikes = 0;
    double rateHz = 0.0;
    std::string folder;
};

// The rows of an analysed session: each unit of the source channel in
// order, then "unassigned".
std::vector<UnitSummaryRow> UnitSummaryRows(Desk::Session& session, const std::string& folder);

// A rate as people read it: three significant digits ("14.8").
std::string ThreeSignificantDigits(double value);

// The header "recording unit spikes rate_hz folder" and one tab-separated
// line per row, rates to three significant digits.
void WriteUnitSummaryTable(const std::vector<UnitSummaryRow>& rows, std::ostream& out);

} // namespace Nerolith::Cli
