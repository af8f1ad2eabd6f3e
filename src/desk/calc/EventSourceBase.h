#pragma once

#include <memory>

#include "desk/calc/CalcContext.h"
#include "host/ICalcSource.h"
#include "platform/com/ComPtr.h"

namespace Desk {

// What every event-source argument shares: no channel and no samples of its
// own; child data comes from the document.
class EventSourceBase : public UnknownImpl<ICalcSource> {
public:
    std::int32_t Channel() override { return -1; }
    HRESULT OpenSamples(std::int32_t, std::int32_t, IEnumSamples** samples) override
    {
        if (samples == nullptr) {
            return E_POINTER;
        }
        *samples = nullptr;
        return E_FAIL;
    }
    HRESULT FindChildData(std::uint32_t key, IGrafoDataChildData** child) override
    {
        return context_->childData.Find(-1, key, child);
    }

protected:
    explicit EventSourceBase(std::shared_ptr<const CalcContext> context) : context_(std::move(context)) {}

    std::shared_ptr<const CalcContext> context_;
};

} // namespace Desk
