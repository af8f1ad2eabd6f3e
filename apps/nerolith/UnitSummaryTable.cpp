#include "UnitSummaryTable.h"

#include <cmath>
#include <map>

#include "AnalysisReport.h"
#include "ChannelUnits.h"
#include "platform/text/ShortestNumber.h"

namespace Nerolith::Cli {

std::vector<UnitSummaryRow> UnitSummaryRows(Desk::Session& session, const std::string& folder)
{
    ISpikeDocInterface& analysis = session.Analysis();
    std::map<std::int32_t, std::int64_t> counts;
    for (std::int32_t index = 0; index < analysis.SpikeCount(); ++index) {
        Host::SpikeInfo spike;
        analysis.GetSpike(index, &spike);
        ++counts[spike.unit];
    }
    const double duration = AnalysedDuration(session);
    const std::string recording = session.Host().Data().Source();
    const auto row = [&](const std::string& unit, std::int64_t spikes) {
        return UnitSummaryRow{recording, unit, spikes, duration > 0.0 ? spikes / duration : 0.0, folder};
    };
    std::vector<UnitSummaryRow> rows;
    for (const Host::UnitDescription& unit : SourceChannelUnits(session)) {
        rows.push_back(row(unit.name.ToUtf8(), counts[unit.number]));
    }
    rows.push_back(row("unassigned", counts[-1]));
    return rows;
}

std::string ThreeSignificantDigits(double value)
{
    if (value == 0.0 || !std::isfinite(value)) {
        return VEX::ShortestNumber(value);
    }
    const double scale = std::pow(10.0, 2 - static_cast<int>(std::floor(std::log10(std::fabs(value)))));
    return VEX::ShortestNumber(std::round(value * scale) / scale);
}

void WriteUnitSummaryTable(const std::vector<UnitSummaryRow>& rows, std::ostream& out)
{
    out << "recording\tunit\tspikes\trate_hz\tfolder\n";
    for (const UnitSummaryRow& row : rows) {
        out << row.recording << '\t' << row.unit << '\t' << row.spikes << '\t' << ThreeSignificantDigits(row.rateHz)
            << '\t' << row.folder << '\n';
    }
}

} // namespace Nerolith::Cli
