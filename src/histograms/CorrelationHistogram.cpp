#include "histograms/CorrelationHistogram.h"

namespace Nerolith {

CorrelationHistogram::CorrelationHistogram(platform::ui::TWindow* parent, PaneOwner& owner, std::int32_t unit,
                                           const Host::UnitDescription& description)
    : HistogramPane(parent, owner, unit, description)
{
    SetLagWindow(window_.minimum, window_.maximum);
}

void CorrelationHistogram::EndSegment()
{
    Correlate(true);
    Reset();
}

void CorrelationHistogram::ResetAxes() { SetXRanges(window_.minimum, window_.maximum); }

void CorrelationHistogram::SetLagWindow(double minimum, double maximum) { SetExtent(minimum, maximum); }

void CorrelationHistogram::TakeLagWindowUnlessCounting()
{
    if (PageCount() == 0) {
        const auto [minimum, maximum] = Extent();
        window_ = {minimum, maximum};
        SetXOrigin(minimum);
    }
}

} // namespace Nerolith
