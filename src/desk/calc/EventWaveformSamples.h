#pragma once

#include <cstdint>
#include <memory>

#include "desk/calc/CalcContext.h"
#include "desk/calc/EventPuller.h"
#include "host/IEnumSamples.h"
#include "platform/com/ComPtr.h"

namespace Desk {

enum class WaveformKind {
    // 1 / interval between an event and the one before it (in Hz), held
    // until the next event; 0 before the second event of the block.
    Frequency,
    // 1 at each event's tick, 0 elsewhere.
    EventMarks,
};

// A channel made from events, on the clock of the channel it is computed
// for. It reads the events of the whole block from its start, so a start
// tick in the middle still knows the interval in force there.
class EventWaveformSamples final : public UnknownImpl<IEnumSamples> {
public:
    EventWaveformSamples(std::shared_ptr<const CalcContext> context, ComPtr<IEnumEventEx> events,
                         WaveformKind kind, std::int32_t channel, std::int32_t block, std::int32_t startTick);

    HRESULT Next(std::uint32_t count, float* samples, std::uint32_t* fetched) override;
    std::int32_t Tick() override { return tick_; }

private:
    // Takes every event at or before `tick`; false while the source has not
    // yet said whether there are more there.
    bool TakeEventsThrough(std::int32_t tick, bool& eventAtTick);
    void Apply(const Host::EventHeader& event);
    // The first tick at which the held value may change.
    std::int32_t NextChange();
    float HeldValue() const { return kind_ == WaveformKind::Frequency ? frequency_ : 0.0f; }
    float ValueAt(bool eventAtTick) const
    {
        return kind_ == WaveformKind::EventMarks && eventAtTick ? 1.0f : HeldValue();
    }

    std::shared_ptr<const CalcContext> context_;
    EventPuller events_;
    WaveformKind kind_;
    std::int32_t channel_;
    std::int32_t block_;
    std::int32_t tick_;
    double interval_;
    bool hasPrevious_ = false;
    double previousTime_ = 0.0;
    float frequency_ = 0.0f;
};

} // namespace Desk
