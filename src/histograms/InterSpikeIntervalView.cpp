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

HRESULT InterSpikeIntervalView::SetOwnSetting(std::u16string_view name, std::u16string_view value)
{
    return logAxis_.Set(name, value);
}

std::optional<std::u16string> InterSpikeIntervalView::OwnSetting(std::u16string_view name) const
{
    return logAxis_.Get(name);
}

void InterSpikeIntervalView::AppendPaneText(const HistogramPane& pane, std::u16string& out) const
{
    logAxis_.AppendText(Document(), pane, out);
}

void InterSpikeIntervalView::DecorateFigurePane(const HistogramPane& pane, FigurePane& figure) const
{
    logAxis_.Decorate(Document(), pane, figure);
}

std::unique_ptr<HistogramPane> InterSpikeIntervalView::CreatePane(std::int32_t unit, const Host::UnitDescription& description)
{
    return std::make_unique<InterSpikeIntervalHistogram>(PaneParent(), *this, unit, description);
}

} // namespace Nerolith
