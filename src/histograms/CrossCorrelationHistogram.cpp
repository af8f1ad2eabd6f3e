#include "histograms/CrossCorrelationHistogram.h"

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
    Correlate(false);
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
    const double lowest = window.LowestLag(binSize);
    while (!spikes_.Empty() && !references_.Empty()) {
        const double reference = references_.Front();
        if (!final && spikes_.Back() - reference <= window.maximum) {
            return;
        }
        // Locals, as in the autocorrelation. The spikes are in time order:
        // those before the window are passed over, the first past it ends
        // the run.
        lags_.resize(spikes_.Size());
        BinnedValue* const lags = lags_.data();
        std::size_t counted = 0;
        const double* spike = spikes_.begin();
        const double* const end = spikes_.end();
        while (spike != end && *spike - reference < lowest) {
            ++spike;
        }
        for (; spike != end && *spike - reference < window.maximum; ++spike) {
            const double lag = *spike - reference;
            lags[counted++] = {CountedBin((lag - window.minimum) / binSize), lag};
        }
        CountValues({lags, counted});
        while (!spikes_.Empty() && spikes_.Front() - reference < window.minimum) {
            spikes_.PopFront();
        }
        references_.PopFront();
    }
}

} // namespace Nerolith
