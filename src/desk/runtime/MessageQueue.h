#pragma once

#include <deque>

#include "host/IHostMessages.h"
#include "platform/com/ComPtr.h"

namespace Desk {

// The host's message system: requests wait in order until the host's loop
// delivers them.
class MessageQueue final : public UnknownImpl<IHostMessages> {
public:
    HRESULT Send(IMessageTarget* target, std::uint32_t code, std::int32_t parameter) override;

    // Delivers every waiting request, including those sent while delivering.
    // Returns how many were delivered.
    int DeliverPending();
    std::size_t Waiting() const { return queue_.size(); }

private:
    struct Request {
        ComPtr<IMessageTarget> target;
        std::uint32_t code;
        std::int32_t parameter;
    };
    std::deque<Request> queue_;
};

} // namespace Desk
