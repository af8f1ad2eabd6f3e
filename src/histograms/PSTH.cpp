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
        spikes_.PushBack(t);
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
    spikes_.Clear();
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
    while (next_ < spikes_.Size()) {
        CountAt(spikes_[next_] - stimulus);
        ++next_;
    }
    // Spikes before this stimulus' pre-stimulus window are before every later
    // stimulus' window too.
    while (!spikes_.Empty() && spikes_.Front() - stimulus < XOrigin()) {
        spikes_.PopFront();
        --next_;
    }
}

} // namespace Nerolith
