#pragma once

#include <cstdint>

#include "host/ISpikeDocInterface.h"
#include "module/SpikeNotification.h"
#include "platform/com/Result.h"
#include "platform/text/VexString.h"

namespace Nerolith {

// A view attached to the analysis document: the histogram views and the
// discriminator view. The document drives it with the store's notifications
// and tells it when settings or units change.
class SpikeView {
public:
    virtual Host::ViewKind Kind() const = 0;

    // One item of the analysis; after a spike the document also tells the
    // spike's unit, after a reference event the pseudo-unit -3.
    virtual void Notify(const SpikeNotification& record) = 0;
    virtual void NotifyUnit(std::int32_t unit) = 0;
    // Start afresh: the analysis is being redone or was cleared.
    virtual void Reset() = 0;
    // The document's settings changed.
    virtual void ReadSettings() = 0;
    // Recompute from what was notified, then repaint.
    virtual void Recompute() = 0;
    // While the host samples: the analysed position reached `time` seconds
    // into `block`, with or without spikes, so time axes and pages follow it.
    virtual void DataAdvanced(std::int32_t block, double time) = 0;
    // Repaint.
    virtual void Refresh() = 0;
    // A unit of the source channel was created or deleted.
    virtual void AddPane(std::int32_t unit) = 0;
    virtual void RemovePane(std::int32_t unit) = 0;

    // Named settings for scripts (bin size, paging, ...). E_INVALIDARG for a
    // name or value the view does not take.
    virtual HRESULT SetSetting(const VEX::String& name, const VEX::String& value) = 0;
    virtual HRESULT GetSetting(const VEX::String& name, VEX::String* value) = 0;

protected:
    ~SpikeView() = default;
};

} // namespace Nerolith
