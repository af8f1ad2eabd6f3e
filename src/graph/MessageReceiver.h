#pragma once

namespace MessSys {

class Message;

// Something that is told of messages. Receivers may fill in fields of the
// message they are handed (menu states, hint texts): the sender reads them
// back once Send returns.
class MessageReceiver {
public:
    virtual ~MessageReceiver() = default;
    virtual void Receive(Message& message) = 0;
};

} // namespace MessSys
