#include "histograms/InterSpikeIntervalView.h"

#include "histograms/InterSpikeIntervalHistogram.h"
#include "module/AnalysisDocument.h"

namespace Nerolith {

InterSpikeIntervalView::InterSpikeIntervalView(AnalysisDocument& document) : AnalysisView(document, Host::ViewKind::InterspikeInterval, SpikeQuantity::Time)
{
}

VEX::String InterSpikeIntervalView::ViewName() const
{
    return VEX::String(u"Interspike Interval Histogram View");
}

VEX::String InterSpikeIntervalView::CopyMenuText() const
{
    return VEX::String(u"Copy Interspike Interval Histogram View");
}

VEX::String InterSpikeIntervalView::PrintMenuText() const
{
    return VEX::String(u"Print Interspike Interval Histogram View...");
}

std::unique_ptr<HistogramPane> InterSpikeIntervalView::CreatePane(std::int32_t unit, const Host::UnitDescription& description)
{
    return std::make_unique<InterSpikeIntervalHistogram>(PaneParent(), *this, unit, description);
}

} // namespace Nerolith
