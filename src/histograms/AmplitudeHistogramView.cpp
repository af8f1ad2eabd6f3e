#include "histograms/AmplitudeHistogramView.h"

#include "histograms/AmplitudeHistogram.h"
#include "module/AnalysisDocument.h"

namespace Nerolith {

AmplitudeHistogramView::AmplitudeHistogramView(AnalysisDocument& document) : AnalysisView(document, Host::ViewKind::AmplitudeHistogram, SpikeQuantity::Height)
{
}

VEX::String AmplitudeHistogramView::ViewName() const
{
    return VEX::String(u"Amplitude Histogram View");
}

VEX::String AmplitudeHistogramView::CopyMenuText() const
{
    return VEX::String(u"Copy Amplitude Histogram View");
}

VEX::String AmplitudeHistogramView::PrintMenuText() const
{
    return VEX::String(u"Print Amplitude Histogram View...");
}

VEX::String AmplitudeHistogramView::AnalysisUnits() const
{
    return Document().ChannelUnitText(Document().Settings().sourceChannel);
}

std::unique_ptr<HistogramPane> AmplitudeHistogramView::CreatePane(std::int32_t unit, const Host::UnitDescription& description)
{
    return std::make_unique<AmplitudeHistogram>(PaneParent(), *this, unit, description);
}

} // namespace Nerolith
