#include "histograms/RateMeterView.h"

#include "histograms/RateMeter.h"
#include "module/AnalysisDocument.h"

namespace Nerolith {

RateMeterView::RateMeterView(AnalysisDocument& document) : AnalysisView(document, Host::ViewKind::RateMeter, SpikeQuantity::Time)
{
}

VEX::String RateMeterView::ViewName() const
{
    return VEX::String(u"Rate Meter View");
}

VEX::String RateMeterView::CopyMenuText() const
{
    return VEX::String(u"Copy Rate Meter View");
}

VEX::String RateMeterView::PrintMenuText() const
{
    return VEX::String(u"Print Rate Meter View...");
}

std::unique_ptr<HistogramPane> RateMeterView::CreatePane(std::int32_t unit, const Host::UnitDescription& description)
{
    return std::make_unique<RateMeter>(PaneParent(), *this, unit, description);
}

void RateMeterView::ToFigureUnits(FigurePane& pane) const
{
    if (!(pane.binWidth > 0.0)) {
        return;
    }
    for (double& value : pane.values) {
        value /= pane.binWidth;
    }
    pane.y = {pane.y.first / pane.binWidth, pane.y.second / pane.binWidth};
    pane.yTitle = VEX::String(u"Rate (spikes/s)");
}

} // namespace Nerolith
