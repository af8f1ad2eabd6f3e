#include "desk/runtime/HostSelection.h"

namespace Desk {

HRESULT HostSelection::GetSelection(std::int32_t* channel, Host::Position* start, Host::Position* end)
{
    if (channel == nullptr || start == nullptr || end == nullptr) {
        return E_POINTER;
    }
    if (!current_) {
        return S_FALSE;
    }
    *channel = current_->channel;
    *start = current_->start;
    *end = current_->end;
    return S_OK;
}

HRESULT HostSelection::SetSelection(std::int32_t channel, Host::Position start, Host::Position end,
                                    double minimumValue, double maximumValue)
{
    if (end < start) {
        return E_INVALIDARG;
    }
    current_ = Range{channel, start, end, minimumValue, maximumValue};
    return S_OK;
}

} // namespace Desk
