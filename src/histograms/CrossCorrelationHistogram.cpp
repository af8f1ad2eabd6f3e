#include "histograms/CrossCorrelationHistogram.h"

#include <algorithm>

#include "histograms/LagRun.h"
#include "module/SpikeView.h"

namespace Nerolith {

CrossCorrelationHistogram::CrossCorrelationHistogram(platform::ui::TWindow* parent, PaneOwner& owner,
                                                     std::int32_t unit, const Host::UnitDescription& description)
    : CorrelationHistogram(parent, owner, unit, description)
{
    Reset();
    ResetAxes();
}

void CrossCorrelationHistogram::AddSpike(std::int32_t unit, double t)
{
    if (PageCount() == 0) {
        return;
    }
    if (unit == Unit()) {
        spikes_.PushBack(PageTime(t));
    } else if (unit == kReferenceUnit) {
        references_.PushBack(PageTime(t));
    } else {
        return;
    }
    // Most spikes release no reference: the test Correlate starts with,
    // without the call.
    if (!spikes_.Empty() && !references_.Empty() && !(spikes_.Back() - references_.Front() <= window_.maximum)) {
        Correlate(false);
    }
}

void CrossCorrelationHistogram::Flush()
{
    Correlate(true);
    Reset();
}

void CrossCorrelationHistogram::Reset()
{
    spikes_.Clear();
    references_.Clear();
    TakeLagWindowUnlessCounting();
}

void CrossCorrelationHistogram::Correlate(bool final)
{
    const double binSize = BinSize();
    const LagWindow window = window_;
    while (!spikes_.Empty() && !references_.Empty()) {
        const double reference = references_.Front();
        if (!final && spikes_.Back() - reference <= window.maximum) {
            return;
        }
        // Only ever grown: shrinking and growing again would clear the
        // values it grew by each time.
        lags_.resize(std::max(lags_.size(), spikes_.Size() + kLagRunSlack));
        const std::size_t counted =
            BinLagRun({spikes_.begin(), spikes_.end()}, reference, window, binSize, lags_.data());
        CountValues({lags_.data(), counted});
        spikes_.PopFront(CountLeadingLagsBelow({spikes_.begin(), spikes_.end()}, reference, window.minimum));
        references_.PopFront();
    }
}

} // namespace Nerolith
