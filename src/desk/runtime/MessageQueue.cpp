#include "desk/runtime/MessageQueue.h"

namespace Desk {

HRESULT MessageQueue::Send(IMessageTarget* target, std::uint32_t code, std::int32_t parameter)
{
    if (target == nullptr) {
        return E_POINTER;
    }
    queue_.push_back({ComPtr<IMessageTarget>(target), code, parameter});
    return S_OK;
}

int MessageQueue::DeliverPending()
{
    int delivered = 0;
    while (!queue_.empty()) {
        Request request = std::move(queue_.front());
        queue_.pop_front();
        request.target->Deliver(request.code, request.parameter);
        ++delivered;
    }
    return delivered;
}

} // namespace Desk
