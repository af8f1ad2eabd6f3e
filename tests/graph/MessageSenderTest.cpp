#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "graph/Message.h"
#include "graph/MessageReceiver.h"
#include "graph/MessageSender.h"

namespace {

struct Note : MessSys::Message {
    std::string trail;
};

struct Recorder : MessSys::MessageReceiver {
    explicit Recorder(char mark, std::function<void()> onReceive = {}) : mark(mark), onReceive(std::move(onReceive)) {}
    void Receive(MessSys::Message& message) override
    {
        static_cast<Note&>(message).trail += mark;
        if (onReceive) {
            onReceive();
        }
    }
    char mark;
    std::function<void()> onReceive;
};

TEST(MessageSender, DeliversInAttachOrderBeforeSendReturns)
{
    MessSys::MessageSender sender;
    Note nobody;
    sender.Send(nobody);
    EXPECT_EQ(nobody.trail, "");

    Recorder a('a'), b('b'), c('c');
    sender.Attach(&b);
    sender.Attach(&a);
    sender.Attach(&c);
    sender.Attach(&a);
    Note note;
    sender.Send(note);
    EXPECT_EQ(note.trail, "bac");

    sender.Detach(&a);
    Note again;
    sender.Send(again);
    EXPECT_EQ(again.trail, "bc");
}

TEST(MessageSender, ReceiversMayChangeTheListWhileASendIsUnderWay)
{
    MessSys::MessageSender sender;
    Recorder late('l');
    Recorder gone('g');
    Recorder first('f', [&] {
        sender.Detach(&gone);
        sender.Attach(&late);
    });
    sender.Attach(&first);
    sender.Attach(&gone);

    Note note;
    sender.Send(note);
    EXPECT_EQ(note.trail, "f") << "a receiver detached mid-send is not called, one attached waits";

    first.onReceive = {};
    Note next;
    sender.Send(next);
    EXPECT_EQ(next.trail, "fl");
}

} // namespace
