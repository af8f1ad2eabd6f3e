#include "histograms/DataSheetStatistics.h"

namespace Nerolith {
namespace {

using DataSheetFunctions::Statistic;

Host::Variant ValueWithoutPane(Statistic statistic)
{
    switch (statistic) {
    case Statistic::TotalCounts:
        return std::int32_t{0};
    case Statistic::MeanX:
    case Statistic::SDX:
    case Statistic::SEMX:
    case Statistic::MeanY:
    case Statistic::SDY:
        return 0.0;
    default:
        return {};
    }
}

Host::Variant SelectionEdge(const BinSelection& selection, double edge)
{
    return selection.active ? Host::Variant(edge) : Host::Variant();
}

// The lower edge of a bin of the displayed page, (k0 + bin) x bin size: bins
// start at a whole multiple of the bin size at or below the X origin, so
// this names the bin as the graph and its hint show it. One product, so an
// edge such as -0.01 comes out as the multiple it is.
double BinLowerEdge(const HistogramPages& pane, std::int32_t bin)
{
    return static_cast<double>(pane.FirstBin() + bin) * pane.BinSize();
}

Host::Variant Extreme(const StatsAccumulator& y, double value)
{
    return y.empty ? Host::Variant() : Host::Variant(value);
}

} // namespace

Host::Variant StatisticValue(Statistic statistic, double viewBinSize, const HistogramPages* pane)
{
    if (statistic == Statistic::BinSize) {
        return viewBinSize;
    }
    if (pane == nullptr) {
        return ValueWithoutPane(statistic);
    }
    const StatsAccumulator x = pane->DisplayedXStatistics();
    const StatsAccumulator y = pane->YStatistics();
    switch (statistic) {
    case Statistic::SelectionStart:
        return SelectionEdge(pane->Selection(), pane->Selection().start);
    case Statistic::SelectionEnd:
        return SelectionEdge(pane->Selection(), pane->Selection().end);
    case Statistic::TotalCounts:
        return x.n;
    case Statistic::MeanX:
        return x.Mean();
    case Statistic::SDX:
        return x.SD();
    case Statistic::SEMX:
        return x.SEM();
    case Statistic::MeanY:
        return y.Mean();
    case Statistic::SDY:
        return y.SD();
    case Statistic::Maximum:
        return Extreme(y, y.max);
    case Statistic::MaximumAt:
        return Extreme(y, BinLowerEdge(*pane, y.maxIndex));
    case Statistic::Minimum:
        return Extreme(y, y.min);
    case Statistic::MinimumAt:
        return Extreme(y, BinLowerEdge(*pane, y.minIndex));
    case Statistic::BinSize:
        break;
    }
    return {};
}

} // namespace Nerolith
