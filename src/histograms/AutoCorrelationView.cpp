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

std::unique_ptr<HistogramPane> AutoCorrelationView::CreatePane(std::int32_t unit,
                                                                const Host::UnitDescription& description)
{
    return std::make_unique<AutoCorrelationHistogram>(PaneParent(), *this, unit, description);
}

} // namespace Nerolith
