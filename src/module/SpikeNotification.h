#pragma once

#include <cstdint>
#include <functional>

namespace Nerolith {

// What the spike store tells a view about each item of an analysis.
struct SpikeNotification {
    enum Code : std::int32_t {
        kSpike = 0,
        kStimulus = 1,
        kBlockStart = 3,
        kBlockEnd = 4,
        kReference = 5,
    };

    std::int32_t code = kSpike;
    std::int32_t block = 0;
    double time = 0.0;   // seconds from the start of the block
    double width = 0.0;  // milliseconds; spikes only
    double height = 0.0; // channel units; spikes only
    std::int32_t unit = -1; // spikes only
};

// The pseudo-unit under which reference events reach the views.
inline constexpr std::int32_t kReferenceUnit = -3;

// Receives notifications, e.g. the one view a replay is meant for.
using NotificationTarget = std::function<void(const SpikeNotification&)>;

} // namespace Nerolith
