#include <gtest/gtest.h>

#include "desk/runtime/CancelSignal.h"
#include "desk/runtime/CommandRegistry.h"
#include "desk/runtime/HostServices.h"
#include "desk/runtime/MessageQueue.h"

using namespace Desk;

namespace {

class CountingTarget final : public UnknownImpl<IMessageTarget> {
public:
    CountingTarget(MessageQueue* queue) : queue_(queue) {}
    HRESULT Deliver(std::uint32_t code, std::int32_t parameter) override
    {
        delivered.push_back(code);
        // A request that sends another one: the follow-up is delivered too.
        if (parameter == 1) {
            queue_->Send(this, code + 1, 0);
        }
        return S_OK;
    }
    std::vector<std::uint32_t> delivered;

private:
    MessageQueue* queue_;
};

class ToggleHandler final : public UnknownImpl<ICommandHandler> {
public:
    HRESULT Execute(std::uint32_t id) override
    {
        executed.push_back(id);
        return S_OK;
    }
    bool IsEnabled(std::uint32_t id) override { return id != 7; }
    bool IsChecked(std::uint32_t) override { return false; }
    HRESULT MenuText(std::uint32_t, VEX::String* text) override
    {
        *text = u"x";
        return S_OK;
    }
    std::vector<std::uint32_t> executed;
};

} // namespace

TEST(MessageQueue, DeliversInOrderOnlyWhenTheLoopRunsIncludingFollowUps)
{
    auto queue = MakeCom<MessageQueue>();
    auto target = MakeCom<CountingTarget>(queue.Get());
    queue->Send(target.Get(), 10, 1);
    queue->Send(target.Get(), 20, 0);
    EXPECT_TRUE(target->delivered.empty());
    EXPECT_EQ(queue->DeliverPending(), 3);
    EXPECT_EQ(target->delivered, (std::vector<std::uint32_t>{10, 20, 11}));
    EXPECT_EQ(queue->Send(nullptr, 1, 0), E_POINTER);
}

TEST(CommandRegistry, RunsOnlyEnabledKnownCommandsAndChecksItsInput)
{
    auto registry = MakeCom<CommandRegistry>();
    auto handler = MakeCom<ToggleHandler>();
    Host::CommandSpec command;
    command.id = 5;
    EXPECT_EQ(registry->AddCommand(u"K", nullptr, handler.Get(), command), E_INVALIDARG) << "no such menu";
    ASSERT_EQ(registry->CreateMenu(u"K", u"Place|"), S_OK);
    EXPECT_EQ(registry->CreateMenu(u"K", u"Place|"), E_INVALIDARG);
    EXPECT_EQ(registry->AddSeparator(u"K", u"Menu|x", 2), E_INVALIDARG) << "a separator path ends in |-";
    EXPECT_EQ(registry->AddSeparator(u"K", u"Menu|-", 2), S_OK);
    EXPECT_EQ(registry->AddCommand(u"K", nullptr, handler.Get(), command), S_OK);
    EXPECT_EQ(registry->AddCommand(u"K", nullptr, handler.Get(), command), E_INVALIDARG) << "duplicate id";
    command.id = 7;
    registry->AddCommand(u"K", nullptr, handler.Get(), command);

    EXPECT_EQ(registry->Invoke(5), S_OK);
    EXPECT_EQ(registry->Invoke(7), S_FALSE);
    EXPECT_EQ(registry->Invoke(99), E_INVALIDARG);
    EXPECT_EQ(handler->executed, (std::vector<std::uint32_t>{5}));
    EXPECT_TRUE(registry->Items().front().IsSeparator());
}

TEST(HostServices, HeadlessMessageBoxesAnswerWithinTheirButtonsAndAreKept)
{
    auto services = MakeCom<HostServices>(nullptr);
    using Host::MessageAnswer;
    using Host::MessageButtons;
    EXPECT_EQ(services->MessageBox(u"Nerolith", u"a", MessageButtons::OkCancel, Host::MessageIcon::Warning),
              MessageAnswer::Ok);
    services->SetHeadlessAnswer(MessageAnswer::Cancel);
    EXPECT_EQ(services->MessageBox(u"Nerolith", u"b", MessageButtons::OkCancel, Host::MessageIcon::Warning),
              MessageAnswer::Cancel);
    EXPECT_EQ(services->MessageBox(u"Nerolith", u"c", MessageButtons::Ok, Host::MessageIcon::Warning),
              MessageAnswer::Ok)
        << "an OK box can only be answered OK";
    EXPECT_EQ(services->MessageBox(u"Nerolith", u"d", MessageButtons::YesNo, Host::MessageIcon::Question),
              MessageAnswer::No);
    ASSERT_EQ(services->Shown().size(), 4u);
    EXPECT_EQ(services->Shown()[1].text, VEX::String(u"b"));
}

TEST(HostServices, ProgressIsCancelledByTheInterruptFlag)
{
    auto services = MakeCom<HostServices>(nullptr);
    ComPtr<IProgressIndicator> progress;
    ASSERT_EQ(services->CreateProgress(u"", u"Processing", progress.Put()), S_OK);
    EXPECT_EQ(progress->SetPercent(10), 0);
    CancelSignal::Request();
    EXPECT_NE(progress->SetPercent(20), 0);
    CancelSignal::Clear();

    services->SetProgressFactory([](const VEX::String&, const VEX::String&) { return nullptr; });
    ComPtr<IProgressIndicator> none;
    EXPECT_EQ(services->CreateProgress(u"", u"Processing", none.Put()), E_FAIL);
}
