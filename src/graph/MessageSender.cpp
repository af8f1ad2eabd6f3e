#include "graph/MessageSender.h"

#include <algorithm>

#include "graph/MessageReceiver.h"

namespace MessSys {

void MessageSender::Attach(MessageReceiver* receiver)
{
    std::lock_guard guard(lock_);
    if (receiver && !IsAttached(receiver)) {
        receivers_.push_back(receiver);
    }
}

void MessageSender::Detach(MessageReceiver* receiver)
{
    std::lock_guard guard(lock_);
    std::erase(receivers_, receiver);
}

bool MessageSender::IsAttached(const MessageReceiver* receiver) const
{
    std::lock_guard guard(lock_);
    return std::find(receivers_.begin(), receivers_.end(), receiver) != receivers_.end();
}

std::size_t MessageSender::ReceiverCount() const
{
    std::lock_guard guard(lock_);
    return receivers_.size();
}

void MessageSender::Send(Message& message)
{
    std::lock_guard guard(lock_);
    // Walk a copy so that receivers may change the list; check each one is
    // still attached, since a receiver detached mid-send may be gone.
    const std::vector<MessageReceiver*> snapshot = receivers_;
    for (MessageReceiver* receiver : snapshot) {
        if (IsAttached(receiver)) {
            receiver->Receive(message);
        }
    }
}

} // namespace MessSys
