#include "desk/calc/EventWaveformSamples.h"

#include <algorithm>
#include <cmath>

namespace Desk {

EventWaveformSamples::EventWaveformSamples(std::shared_ptr<const CalcContext> context, ComPtr<IEnumEventEx> events,
                                           WaveformKind kind, std::int32_t channel, std::int32_t block,
                                           std::int32_t startTick)
    : context_(std::move(context)),
      events_(std::move(events)),
      kind_(kind),
      channel_(channel),
      block_(block),
      tick_(startTick),
      interval_(context_->recording.SampleInterval(channel, block))
{
}

HRESULT EventWaveformSamples::Next(std::uint32_t count, float* samples, std::uint32_t* fetched)
{
    if (fetched != nullptr) {
        *fetched = 0;
    }
    if (samples == nullptr && count > 0) {
        return E_POINTER;
    }
    const BlockAvailability now = context_->Available(channel_, block_);
    const std::int32_t limit = static_cast<std::int32_t>(std::min<std::int64_t>(now.ticks, std::int64_t{tick_} + count));
    std::uint32_t written = 0;
    bool eventAtTick = false;
    while (tick_ < limit && TakeEventsThrough(tick_, eventAtTick)) {
        samples[written++] = ValueAt(eventAtTick);
        ++tick_;
        const std::int32_t runEnd = std::clamp(NextChange(), tick_, limit);
        std::fill(samples + written, samples + written + (runEnd - tick_), HeldValue());
        written += static_cast<std::uint32_t>(runEnd - tick_);
        tick_ = runEnd;
    }
    if (fetched != nullptr) {
        *fetched = written;
    }
    if (events_.Broken()) {
        return E_FAIL;
    }
    return !now.growing && tick_ >= now.ticks ? S_FALSE : S_OK;
}

bool EventWaveformSamples::TakeEventsThrough(std::int32_t tick, bool& eventAtTick)
{
    eventAtTick = false;
    while (const Host::EventHeader* event = events_.Peek()) {
        if (event->tick > tick) {
            return true;
        }
        eventAtTick = eventAtTick || event->tick == tick;
        Apply(*event);
        events_.Pop();
    }
    return !events_.Broken() && events_.ReportedBefore() > tick;
}

void EventWaveformSamples::Apply(const Host::EventHeader& event)
{
    const double fraction = std::isfinite(event.fraction) ? event.fraction : 0.0;
    const double time = (event.tick + fraction) * interval_;
    // Two events at one time have no interval: the frequency in force stays.
    if (hasPrevious_ && time > previousTime_) {
        frequency_ = static_cast<float>(1.0 / (time - previousTime_));
    }
    hasPrevious_ = true;
    previousTime_ = time;
}

std::int32_t EventWaveformSamples::NextChange()
{
    const Host::EventHeader* event = events_.Peek();
    return event != nullptr ? event->tick : events_.ReportedBefore();
}

} // namespace Desk
