#pragma once

#include <cstdint>
#include <functional>

class IHostDocument;

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

// Receives notifications, e.g. the one view a replay is meant for.
using NotificationTarget = std::function<void(const SpikeNotification&)>;

// The analysis document as the spike store sees it: the way to the host and
// to the attached views.
class SpikeStoreOwner {
public:
    // The host document; null when the owner has none (yet).
    virtual IHostDocument* HostDocument() = 0;
    // Forwards a notification to every attached view.
    virtual void BroadcastNotification(const SpikeNotification& notification) = 0;
    // Tells every attached view to start afresh: the store was reset.
    virtual void ResetViews() = 0;

protected:
    ~SpikeStoreOwner() = default;
};

} // namespace Nerolith
