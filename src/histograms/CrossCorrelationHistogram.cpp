#include "histograms/CrossCorrelationHistogram.h"

#include "shell/SpikeView.h"

namespace Nerolith {

CrossCorrelationHistogram::CrossCorrelationHistogram(platform::ui::TWindow* parent, PaneOwner& owner,
                                                     std::int32_t unit, const Host::UnitDescription& description)
    : HistogramPane(parent, owner, unit, description)
{
    SetLagWindow(window_.minimum, window_.maximum);
    Reset();
    ResetAxes();
}

void CrossCorrelationHistogram::AddSpike(std::int32_t unit, double t)
{
    if (PageCount() == 0) {
        return;
    }
    if (unit == Unit()) {
        spikes_.push_back(PageTime(t));
    } else if (unit == kReferenceUnit) {
        references_.push_back(PageTime(t));
    } else {
        return;
    }
    Correlate(false);
}

void CrossCorrelationHistogram::EndSegment()
{
    Correlate(true);
    Reset();
}

void CrossCorrelationHistogram::Flush()
{
    Correlate(true);
    Reset();
}

void CrossCorrelationHistogram::Reset()
{
    spikes_.clear();
    references_.clear();
    if (PageCount() == 0) {
        const auto [minimum, maximum] = Extent();
        window_ = {minimum, maximum};
        SetXOrigin(minimum);
    }
}

void CrossCorrelationHistogram::ResetAxes()
{
    SetXRanges(window_.minimum, window_.maximum);
}

void CrossCorrelationHistogram::SetLagWindow(double minimum, double maximum)
{
    SetExtent(minimum, maximum);
}

void CrossCorrelationHistogram::Correlate(bool final)
{
    const double binSize = BinSize();
    while (!spikes_.empty() && !references_.empty()) {
        const double reference = references_.front();
        if (!final && spikes_.back() - reference <= window_.maximum) {
            return;
        }
        for (const double spike : spikes_) {
            const double lag = spike - reference;
            if (const std::optional<std::int64_t> bin = window_.Bin(lag, binSize)) {
                CountValue(*bin, lag);
            }
        }
        while (!spikes_.empty() && spikes_.front() - reference < window_.minimum) {
            spikes_.pop_front();
        }
        references_.pop_front();
    }
}

} // namespace Nerolith
