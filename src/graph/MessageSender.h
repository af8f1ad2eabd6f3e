#pragma once

#include <cstddef>
#include <mutex>
#include <vector>

namespace MessSys {

class Message;
class MessageReceiver;

// Keeps a list of receivers (not owned, in the order attached) and hands each
// message to all of them, synchronously: when Send returns every receiver has
// acted. The list is guarded for the whole of Send.
class MessageSender {
public:
    MessageSender() = default;
    MessageSender(const MessageSender&) = delete;
    MessageSender& operator=(const MessageSender&) = delete;
    virtual ~MessageSender() = default;

    // A receiver is attached once; attaching it again changes nothing.
    void Attach(MessageReceiver* receiver);
    void Detach(MessageReceiver* receiver);
    bool IsAttached(const MessageReceiver* receiver) const;
    std::size_t ReceiverCount() const;

    // A receiver may attach or detach receivers from inside Receive (on the
    // sending thread): one detached during the send is not called any more,
    // one attached during the send gets the next message.
    void Send(Message& message);

private:
    mutable std::recursive_mutex lock_;
    std::vector<MessageReceiver*> receivers_;
};

} // namespace MessSys
