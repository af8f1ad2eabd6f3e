#include "histograms/AutoCorrelationHistogram.h"

namespace Nerolith {

AutoCorrelationHistogram::AutoCorrelationHistogram(platform::ui::TWindow* parent, PaneOwner& owner,
                                                   std::int32_t unit, const Host::UnitDescription& description)
    : HistogramPane(parent, owner, unit, description)
{
    SetLagWindow(window_.minimum, window_.maximum);
    Reset();
    ResetAxes();
}

void AutoCorrelationHistogram::AddSpike(std::int32_t unit, double t)
{
    if (unit != Unit() || PageCount() == 0) {
        return;
    }
    spikes_.push_back(PageTime(t));
    Correlate(false);
}

void AutoCorrelationHistogram::EndSegment()
{
    Correlate(true);
    Reset();
}

void AutoCorrelationHistogram::Flush()
{
    Correlate(true);
    spikes_.clear();
    next_ = 0;
}

void AutoCorrelationHistogram::Reset()
{
    spikes_.clear();
    next_ = 0;
    if (PageCount() == 0) {
        const auto [minimum, maximum] = Extent();
        window_ = {minimum, maximum};
        SetXOrigin(minimum);
    }
}

void AutoCorrelationHistogram::ResetAxes()
{
    SetXRanges(window_.minimum, window_.maximum);
}

void AutoCorrelationHistogram::SetLagWindow(double minimum, double maximum)
{
    SetExtent(minimum, maximum);
}

void AutoCorrelationHistogram::Correlate(bool final)
{
    const double binSize = BinSize();
    while (next_ < spikes_.size()) {
        const double reference = spikes_[next_];
        if (!final && spikes_.back() - reference <= window_.maximum) {
            return;
        }
        for (std::size_t j = 0; j < spikes_.size(); ++j) {
            if (j == next_) {
                continue;
            }
            const double lag = spikes_[j] - reference;
            if (const std::optional<std::int64_t> bin = window_.Bin(lag, binSize)) {
                CountValue(*bin, lag);
            }
        }
        // Never past the reference itself: a window above zero would
        // otherwise drop it while it is still indexed.
        while (next_ > 0 && spikes_.front() - reference < window_.minimum) {
            spikes_.pop_front();
            --next_;
        }
        ++next_;
    }
}

} // namespace Nerolith
