#include "histograms/AmplitudeHistogram.h"

namespace Nerolith {

namespace {

const VEX::String kAmplitudeTitle = u"Amplitude";

} // namespace

AmplitudeHistogram::AmplitudeHistogram(platform::ui::TWindow* parent, PaneOwner& owner, std::int32_t unit,
                                       const Host::UnitDescription& description)
    : HistogramPane(parent, owner, unit, description)
{
    SetXAxis(kAmplitudeTitle, units_);
}

void AmplitudeHistogram::AddSpike(std::int32_t unit, double height)
{
    if (unit == Unit() && PageCount() > 0) {
        CountAt(height);
    }
}

void AmplitudeHistogram::SetUnits(const VEX::String& text)
{
    units_ = text;
    SetXAxis(kAmplitudeTitle, units_);
}

void AmplitudeHistogram::ResetAxes()
{
    SetXAxis(kAmplitudeTitle, units_);
}

} // namespace Nerolith
