#pragma once

#include "module/SpikeNotification.h"

class IHostDocument;

namespace Nerolith {

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
