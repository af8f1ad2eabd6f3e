#include "histograms/AutoCorrelationHistogram.h"

#include <algorithm>

namespace Nerolith {

AutoCorrelationHistogram::AutoCorrelationHistogram(platform::ui::TWindow* parent, PaneOwner& owner,
                                                   std::int32_t unit, const Host::UnitDescription& description)
    : CorrelationHistogram(parent, owner, unit, description)
{
    Reset();
    ResetAxes();
}

void AutoCorrelationHistogram::AddSpike(std::int32_t unit, double t)
{
    if (unit != Unit() || PageCount() == 0) {
        return;
    }
    spikes_.PushBack(PageTime(t));
    Correlate(false);
}

void AutoCorrelationHistogram::Flush()
{
    Correlate(true);
    spikes_.Clear();
    next_ = 0;
}

void AutoCorrelationHistogram::Reset()
{
    spikes_.Clear();
    next_ = 0;
    TakeLagWindowUnlessCounting();
}

void AutoCorrelationHistogram::Correlate(bool final)
{
    const double binSize = BinSize();
    const LagWindow window = window_;
    const double lowest = window.LowestLag(binSize);
    while (next_ < spikes_.Size()) {
        const double reference = spikes_[next_];
        if (!final && spikes_.Back() - reference <= window.maximum) {
            return;
        }
        // Locals, so that writing the lags does not make the compiler read
        // the buffer's fields again. The buffer is in time order: the lags
        // after the reference end at the first one past the window.
        const double* const times = spikes_.begin();
        const std::size_t size = spikes_.Size();
        const std::size_t self = next_;
        lags_.resize(std::max(lags_.size(), size));
        BinnedValue* const lags = lags_.data();
        std::size_t counted = 0;
        const auto take = [&](double lag) {
            lags[counted++] = {CountedBin((lag - window.minimum) / binSize), lag};
        };
        std::size_t j = 0;
        while (j < self && times[j] - reference < lowest) {
            ++j;
        }
        for (; j < self; ++j) {
            if (times[j] - reference < window.maximum) {
                take(times[j] - reference);
            }
        }
        for (j = self + 1; j < size && times[j] - reference < window.maximum; ++j) {
            if (times[j] - reference >= lowest) {
                take(times[j] - reference);
            }
        }
        CountValues({lags, counted});
        // Never past the reference itself: a window above zero would
        // otherwise drop it while it is still indexed.
        while (next_ > 0 && spikes_.Front() - reference < window.minimum) {
            spikes_.PopFront();
            --next_;
        }
        ++next_;
    }
}

} // namespace Nerolith
