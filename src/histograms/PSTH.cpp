#include "histograms/PSTH.h"

namespace Nerolith {

void PSTH::SetReferenceTime(double t)
{
    HistogramPane::SetReferenceTime(t);
    next_ = 0;
}

void PSTH::AddSpike(std::int32_t unit, double t)
{
    HoldSpike(unit, t);
    if (PageCount() > 0) {
        CountPending();
    }
}

void PSTH::HoldSpike(std::int32_t unit, double t)
{
    if (unit == Unit()) {
        spikes_.push_back(t);
    }
}

void PSTH::EndSegment()
{
    if (PageCount() > 0) {
        CountPending();
    }
    Reset();
}

void PSTH::Reset()
{
    spikes_.clear();
    next_ = 0;
}

void PSTH::ShowTime(double t)
{
    if (PageCount() > 0) {
        ExtendX(t - ReferenceTime());
    }
}

void PSTH::CountPending()
{
    const double stimulus = ReferenceTime();
    while (next_ < spikes_.size()) {
        CountAt(spikes_[next_] - stimulus);
        ++next_;
    }
    // Spikes before this stimulus' pre-stimulus window are before every later
    // stimulus' window too.
    while (!spikes_.empty() && spikes_.front() - stimulus < XOrigin()) {
        spikes_.pop_front();
        --next_;
    }
}

} // namespace Nerolith
