#pragma once

#include <algorithm>
#include <climits>
#include <cstdint>

namespace EEH2 {

// Records are scanned in segments of this many ticks; the state in which
// each segment ends is saved, so a later request restarts near its tick.
inline constexpr std::int32_t kSegmentTicks = 100000;

// The end of the segment that holds `tick`.
inline std::int32_t SegmentEndAfter(std::int32_t tick)
{
    const std::int64_t end = (std::int64_t{tick} / kSegmentTicks + 1) * kSegmentTicks;
    return static_cast<std::int32_t>(std::min<std::int64_t>(end, INT_MAX));
}

// The running state every algorithm of the framework carries. States are
// plain values: saving one is copying it.
class StateBase {
public:
    explicit StateBase(std::int32_t firstTick)
        : segmentEnd(SegmentEndAfter(firstTick)), position(firstTick), nextTick(firstTick)
    {
    }

    // Every event before this tick has been produced; INT_MAX once the
    // record is finished.
    std::int32_t Position() const { return position; }
    // The source has no more samples for the record.
    void MarkDone() { done = true; }

    bool done = false;
    // Scanning of the current segment stops once `position` reaches it.
    std::int32_t segmentEnd;
    std::int32_t position;
    // Tick of the next sample the state consumes.
    std::int32_t nextTick;
};

} // namespace EEH2
