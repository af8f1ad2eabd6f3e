#include "histograms/AutoCorrelationView.h"

#include "histograms/AutoCorrelationHistogram.h"
#include "module/AnalysisDocument.h"

namespace Nerolith {

AutoCorrelationView::AutoCorrelationView(AnalysisDocument& document)
    : AnalysisView(document, Host::ViewKind::Autocorrelation, SpikeQuantity::Time)
{
}

VEX::String AutoCorrelationView::ViewName() const
{
    return VEX::String(u"Autocorrelation Histogram View");
}

VEX::String AutoCorrelationView::CopyMenuText() const
{
    return VEX::String(u"Copy Autocorrelation Histogram View");
}

VEX::String AutoCorrelationView::PrintMenuText() const
{
    return VEX::String(u"Print Autocorrelation Histogram View...");
}

// Every pane of this view is an autocorrelation (CreatePane).
void AutoCorrelationView::ApplyXRange(HistogramPane& pane, double minimum, double maximum)
{
    static_cast<AutoCorrelationHistogram&>(pane).SetLagWindow(minimum, maximum);
}

HRESULT AutoCorrelationView::SetOwnSetting(std::u16string_view name, std::u16string_view value)
{
    return overlay_.Set(name, value);
}

std::optional<std::u16string> AutoCorrelationView::OwnSetting(std::u16string_view name) const
{
    return overlay_.Get(name);
}

void AutoCorrelationView::AppendPaneText(const HistogramPane& pane, std::u16string& out) const
{
    overlay_.AppendText(Document(), pane, out);
}

void AutoCorrelationView::DecorateFigurePane(const HistogramPane& pane, FigurePane& figure) const
{
    overlay_.Decorate(Document(), pane, figure);
}

std::unique_ptr<HistogramPane> AutoCorrelationView::CreatePane(std::int32_t unit,
                                                                const Host::UnitDescription& description)
{
    return std::make_unique<AutoCorrelationHistogram>(PaneParent(), *this, unit, description);
}

} // namespace Nerolith
