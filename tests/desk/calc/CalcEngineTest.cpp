#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "CalcTestSupport.h"
#include "desk/calc/CalcEngine.h"
#include "host/HostTypes.h"
#include "support/MemoryRecording.h"

using namespace CalcTest;
using Desk::CalcEngine;
using testing::FloatEq;
using testing::Pointwise;

namespace {

using TestSupport::MemoryRecording;

using Blocks = std::vector<std::vector<std::vector<float>>>;

// Two channels, two blocks: ch1 block 0 rises through 0.5 at ticks 2 and 6.
Blocks TwoChannelBlocks()
{
    return {{{0, 0, 1, 1, 0, 0, 1, 0}, {5, 6, 7, 8, 9, 10, 11, 12}}, {{1, 2, 3}, {4, 5, 6}}};
}

MemoryRecording TwoChannels(Blocks blocks = TwoChannelBlocks(),
                            Desk::RecordedEvents stimulus = {u"Stimulus", {{0, 5}, {0, 1}, {1, 2}, {0, 3}}})
{
    MemoryRecording recording(std::move(blocks));
    recording.AddEvents(std::move(stimulus));
    return recording;
}

std::vector<float> ReadSamples(IEnumSamples* samples, std::uint32_t chunk, HRESULT* last = nullptr)
{
    std::vector<float> values;
    std::vector<float> buffer(chunk);
    HRESULT hr = S_OK;
    std::uint32_t fetched = 0;
    do {
        hr = samples->Next(chunk, buffer.data(), &fetched);
        values.insert(values.end(), buffer.begin(), buffer.begin() + fetched);
    } while (hr == S_OK && fetched == chunk);
    if (last != nullptr) {
        *last = hr;
    }
    return values;
}

std::vector<std::int32_t> EventTicks(IEnumEventEx* events, std::int32_t endTick = -1, HRESULT* last = nullptr)
{
    std::vector<std::int32_t> ticks;
    Host::EventHeader records[2];
    std::uint32_t count = 0;
    std::int32_t position = 0;
    HRESULT hr = S_OK;
    do {
        hr = events->Next(sizeof(Host::EventHeader), endTick, records, 2, &count, &position);
        for (std::uint32_t i = 0; i < count; ++i) {
            ticks.push_back(records[i].tick);
        }
    } while (hr == S_OK && count > 0);
    if (last != nullptr) {
        *last = hr;
    }
    return ticks;
}

ComPtr<IEnumEventEx> OpenEvents(CalcEngine& engine, const char16_t* expression, std::int32_t block,
                                std::int32_t first = 0, std::int32_t end = INT_MAX)
{
    ComPtr<IEnumEventEx> events;
    engine.Calc()->OpenExpressionEvents(expression, block, first, end, Host::kEventRequest, events.Put());
    return events;
}

class FixedCalculation final : public UnknownImpl<IChannelCalculation> {
public:
    explicit FixedCalculation(const char16_t* text) : text_(text) {}
    HRESULT ExpressionText(VEX::String* text) override { return *text = text_, S_OK; }
    HRESULT CheckChannel(std::int32_t channel, VEX::String* message) override
    {
        *message = u"not on channel 1";
        return channel == 0 ? E_FAIL : S_OK;
    }
    HRESULT SaveSettings(IStream*) override { return E_NOTIMPL; }
    HRESULT LoadSettings(IStream*) override { return E_NOTIMPL; }

private:
    VEX::String text_;
};

class KeyedChild final : public UnknownImpl<IGrafoDataChildData> {
public:
    explicit KeyedChild(std::uint32_t key) : key_(key) {}
    std::uint32_t TypeKey() override { return key_; }
    HRESULT Clone(IGrafoDataChildData**) override { return E_NOTIMPL; }
    HRESULT OnDataChanged(const std::int32_t (&)[7]) override { return S_OK; }
    HRESULT OnChannelsChanged(const std::int32_t (&)[3]) override { return S_OK; }
    HRESULT OnDocumentChanged(const std::int32_t (&)[11]) override { return S_OK; }

private:
    std::uint32_t key_;
};

} // namespace

TEST(CalcEngine, SamplesEndAtTheBlockEndAndRefuseBadRequests)
{
    const MemoryRecording recording = TwoChannels();
    CalcEngine engine(recording);
    ComPtr<IHostCalc> calc = engine.Calc();

    ComPtr<IEnumSamples> samples;
    ASSERT_EQ(calc->OpenSamples(1, 0, 5, Host::kSampleRequest, samples.Put()), S_OK);
    float buffer[4] = {};
    std::uint32_t fetched = 0;
    EXPECT_EQ(samples->Next(4, buffer, &fetched), S_FALSE);
    EXPECT_EQ(fetched, 3u);
    EXPECT_EQ(std::vector<float>(buffer, buffer + 3), (std::vector<float>{10, 11, 12}));
    EXPECT_EQ(samples->Tick(), 8);

    EXPECT_TRUE(Failed(calc->OpenSamples(2, 0, 0, Host::kSampleRequest, samples.Put())));
    EXPECT_TRUE(Failed(calc->OpenSamples(0, 2, 0, Host::kSampleRequest, samples.Put())));
    EXPECT_TRUE(Failed(calc->OpenSamples(0, 0, 9, Host::kSampleRequest, samples.Put())));
    EXPECT_TRUE(Failed(calc->OpenSamples(0, 0, -1, Host::kSampleRequest, samples.Put())));
    EXPECT_TRUE(Failed(calc->OpenSamples(0, 0, 0, 0x1234, samples.Put())));
    EXPECT_FALSE(samples);
}

TEST(CalcEngine, GrowingBlockSaysNoMoreYetUntilComplete)
{
    const MemoryRecording recording = TwoChannels();
    Desk::BlockAvailability now{3, true};
    CalcEngine engine(recording, [&now](std::int32_t block) {
        return block == 0 ? now : Desk::BlockAvailability{INT_MAX, false};
    });
    engine.RegisterFunctionClass(MakeCross().Get());

    ComPtr<IEnumSamples> samples;
    ASSERT_EQ(engine.Calc()->OpenSamples(0, 0, 0, Host::kSampleRequest, samples.Put()), S_OK);
    ComPtr<IEnumEventEx> crossings = OpenEvents(engine, u"Cross(ch1, 0.5)", 0);
    ASSERT_TRUE(crossings);

    float buffer[8] = {};
    std::uint32_t fetched = 0;
    EXPECT_EQ(samples->Next(8, buffer, &fetched), S_OK);
    EXPECT_EQ(fetched, 3u);
    EXPECT_EQ(samples->Next(8, buffer, &fetched), S_OK);
    EXPECT_EQ(fetched, 0u);
    HRESULT last = S_OK;
    EXPECT_EQ(EventTicks(crossings.Get(), -1, &last), std::vector<std::int32_t>{2});
    EXPECT_EQ(last, S_OK);

    now = {8, true};
    EXPECT_EQ(samples->Next(8, buffer, &fetched), S_OK);
    EXPECT_EQ(fetched, 5u);
    now = {8, false};
    EXPECT_EQ(samples->Next(8, buffer, &fetched), S_FALSE);
    EXPECT_EQ(fetched, 0u);
    EXPECT_EQ(EventTicks(crossings.Get(), -1, &last), std::vector<std::int32_t>{6});
    EXPECT_EQ(last, S_FALSE);
}

TEST(CalcEngine, FunctionCallsGetChannelsNumbersAndEventSources)
{
    const MemoryRecording recording = TwoChannels();
    CalcEngine engine(recording);
    ASSERT_EQ(engine.RegisterFunctionClass(MakeCross().Get()), S_OK);
    ASSERT_EQ(engine.RegisterFunctionClass(MakePass().Get()), S_OK);
    EXPECT_EQ(engine.RegisterFunctionClass(MakeCross().Get()), E_FAIL);

    EXPECT_EQ(EventTicks(OpenEvents(engine, u"Cross(ch1, 0.5)", 0).Get()), (std::vector<std::int32_t>{2, 6}));
    // Negated: ch1 falls through -0.5 at ticks 4 and 7.
    EXPECT_EQ(EventTicks(OpenEvents(engine, u"Cross(-ch1, -0.5)", 0).Get()), (std::vector<std::int32_t>{4, 7}));
    EXPECT_EQ(EventTicks(OpenEvents(engine, u"Cross(ch1, 0.5)", 0, 3).Get()), std::vector<std::int32_t>{6});
    HRESULT last = S_OK;
    EXPECT_EQ(EventTicks(OpenEvents(engine, u"Cross(ch1, 0.5)", 0, 0, 6).Get(), -1, &last),
              std::vector<std::int32_t>{2});
    EXPECT_EQ(last, S_FALSE);

    std::int32_t id1 = 0, id2 = 0;
    ASSERT_EQ(engine.Calc()->RegisterEventSource(u"Spikes1", u"Cross(ch1, 0.5)", &id1, &id2), S_OK);
    EXPECT_EQ(EventTicks(OpenEvents(engine, u"Pass(Spikes1)", 0).Get()), (std::vector<std::int32_t>{2, 6}));
    EXPECT_EQ(EventTicks(OpenEvents(engine, u"Pass(Stimulus)", 0).Get()), (std::vector<std::int32_t>{1, 3, 5}));

    EXPECT_FALSE(OpenEvents(engine, u"Cross(ch1, 0.5)", 5));
    ComPtr<IEnumEventEx> wrongFlag;
    EXPECT_TRUE(Failed(engine.Calc()->OpenExpressionEvents(u"Spikes1", 0, 0, INT_MAX, 0, wrongFlag.Put())));
}

TEST(CalcEngine, ExplainsExpressionsItCannotEvaluate)
{
    const MemoryRecording recording = TwoChannels();
    CalcEngine engine(recording);
    engine.RegisterFunctionClass(MakeCross().Get());
    std::int32_t id1 = 0, id2 = 0;
    engine.Calc()->RegisterEventSource(u"Loop", u"Pass(Loop)", &id1, &id2);
    engine.Calc()->RegisterEventSource(u"Self", u"Self", &id1, &id2);

    EXPECT_EQ(engine.CheckEventExpression(u"Cross(ch1, 0.5)"), "");
    EXPECT_EQ(engine.CheckEventExpression(u"Stimulus"), "");
    EXPECT_EQ(engine.CheckEventExpression(u"Nothing"), "Unknown name 'Nothing' at column 1");
    EXPECT_EQ(engine.CheckEventExpression(u"Crossing(ch1, 1)"), "Unknown function 'Crossing' at column 1");
    EXPECT_EQ(engine.CheckEventExpression(u"Cross(ch1)"), "Cross takes 2 arguments, not 1 at column 1");
    EXPECT_EQ(engine.CheckEventExpression(u"Cross(ch1, 11)"),
              "Argument 2 of Cross (Level) is 11 but must lie between -10 and 10 at column 12");
    EXPECT_EQ(engine.CheckEventExpression(u"Cross(1, 1)"),
              "Argument 1 of Cross (Source) must be a channel or an event source, not a number at column 7");
    EXPECT_EQ(engine.CheckEventExpression(u"Cross(ch1, ch2)"),
              "Argument 2 of Cross (Level) must be a number at column 12");
    EXPECT_EQ(engine.CheckEventExpression(u"Cross(ch3, 0)"),
              "There is no channel ch3 (the recording has 2) at column 7");
    EXPECT_EQ(engine.CheckEventExpression(u"ch1"), "The expression is a channel, not an event source at column 1");
    EXPECT_EQ(engine.CheckEventExpression(u"EventFrequency(Stimulus)"),
              "EventFrequency makes a channel; it can only stand alone as a channel calculation at column 1");
    EXPECT_EQ(engine.CheckEventExpression(u"Self"),
              "In event source 'Self' (Event source 'Self' refers to itself at column 1) at column 1");
    EXPECT_NE(engine.CheckEventExpression(u"Loop"), "");
}

TEST(CalcEngine, ClassWhoseParameterTableEndsEarlyIsRefused)
{
    const MemoryRecording recording = TwoChannels();
    CalcEngine engine(recording);
    ComPtr<ICalcNumericParamsFuncClass> liar(
        new TableFunction<CrossEnum>(u"Cross", {{u"Source", 0, 0}, {u"Level", -10, 10}}, 3));
    EXPECT_EQ(engine.RegisterFunctionClass(liar.Get()), E_INVALIDARG);
    EXPECT_EQ(engine.CheckEventExpression(u"Cross(ch1, 0.5)"), "Unknown function 'Cross' at column 1");
    ComPtr<ICalcNumericParamsFuncClass> reserved(new TableFunction<PassEnum>(u"eventInterp", {}));
    EXPECT_EQ(engine.RegisterFunctionClass(reserved.Get()), E_FAIL);
}

TEST(CalcEngine, EventSourcesRegisterRenameWithdrawAndResolve)
{
    const MemoryRecording recording = TwoChannels();
    CalcEngine engine(recording);
    engine.RegisterFunctionClass(MakeCross().Get());
    ComPtr<IHostCalc> calc = engine.Calc();

    std::int32_t a1 = 0, a2 = 0, b1 = 0, b2 = 0;
    ASSERT_EQ(calc->RegisterEventSource(u"A", u"Cross(ch1, 0.5)", &a1, &a2), S_OK);
    ASSERT_EQ(calc->RegisterEventSource(u"B", u"Cross(ch2, 9)", &b1, &b2), S_OK);
    EXPECT_TRUE(Failed(calc->RegisterEventSource(u"B", u"Cross(ch2, 9)", &b1, &b2)));
    EXPECT_TRUE(Failed(calc->RegisterEventSource(u"Stimulus", u"A", &b1, &b2)));
    EXPECT_TRUE(Failed(calc->RegisterEventSource(u"C", u"Cross(ch2", &b1, &b2)));
    EXPECT_NE(std::pair(a1, a2), std::pair(INT_MIN, static_cast<std::int32_t>(0xC0000000)));

    std::int32_t positionB = 0;
    ASSERT_EQ(calc->ResolveEventSource(u" B ", &positionB), S_OK);
    ASSERT_EQ(calc->RenameEventSource(a1, a2, u"A2"), S_OK);
    EXPECT_EQ(calc->RenameEventSource(b1, b2, u"A2"), E_FAIL);
    VEX::String name;
    EXPECT_EQ(calc->EventSourceName(a1, a2, &name), S_OK);
    EXPECT_EQ(name, VEX::String(u"A2"));

    ASSERT_EQ(calc->WithdrawEventSource(a1, a2), S_OK);
    EXPECT_TRUE(Failed(calc->EventSourceName(a1, a2, &name)));
    EXPECT_TRUE(Failed(calc->RenameEventSource(a1, a2, u"A3")));
    EXPECT_TRUE(Failed(calc->WithdrawEventSource(a1, a2)));
    EXPECT_TRUE(Failed(calc->EventSourceName(b1, b2 + 1, &name)));

    // Positions stay put when an earlier source goes.
    std::int32_t position = 0;
    EXPECT_EQ(calc->ResolveEventSource(u"B", &position), S_OK);
    EXPECT_EQ(position, positionB);
    ComPtr<IEnumEventEx> events;
    ASSERT_EQ(calc->OpenSourceEvents(position, 0, 0, INT_MAX, events.Put()), S_OK);
    EXPECT_EQ(EventTicks(events.Get()), (std::vector<std::int32_t>{4}));

    EXPECT_EQ(calc->EventSourceCount(), 3);
    EXPECT_EQ(calc->EventSourceNameAt(0, &name), S_OK);
    EXPECT_EQ(name, VEX::String(u"Stimulus"));
    EXPECT_EQ(calc->EventSourceNameAt(1, &name), S_FALSE);
    EXPECT_EQ(calc->EventSourceNameAt(2, &name), S_OK);
    EXPECT_EQ(name, VEX::String(u"B"));

    EXPECT_EQ(calc->ResolveEventSource(u"A2", &position), S_FALSE);
    EXPECT_EQ(position, Host::kAbsentSource);
    EXPECT_EQ(calc->ResolveEventSource(u"", &position), S_FALSE);
    EXPECT_EQ(calc->OpenSourceEvents(1, 0, 0, INT_MAX, events.Put()), E_INVALIDARG);

    ASSERT_EQ(calc->ResolveEventSource(u"Cross(ch1,0.5)", &position), S_OK);
    ASSERT_EQ(calc->OpenSourceEvents(position, 0, 0, INT_MAX, events.Put()), S_OK);
    EXPECT_EQ(EventTicks(events.Get()), (std::vector<std::int32_t>{2, 6}));
}

TEST(CalcEngine, RecordingEventsAreGenericEventsOfTheirBlock)
{
    const MemoryRecording recording = TwoChannels();
    CalcEngine engine(recording);
    std::int32_t position = 0;
    ASSERT_EQ(engine.Calc()->ResolveEventSource(u"Stimulus", &position), S_OK);
    ComPtr<IEnumEventEx> events;
    ASSERT_EQ(engine.Calc()->OpenSourceEvents(position, 0, 2, INT_MAX, events.Put()), S_OK);
    EXPECT_EQ(events->EventSize(), 16);

    Host::EventHeader records[4];
    std::uint32_t count = 0;
    std::int32_t reached = 0;
    EXPECT_EQ(events->Next(16, 5, records, 4, &count, &reached), S_OK);
    ASSERT_EQ(count, 1u);
    EXPECT_EQ(records[0].tick, 3);
    EXPECT_EQ(records[0].value, 1.0);
    EXPECT_EQ(reached, 5);
    EXPECT_EQ(events->Next(16, -1, records, 4, &count, &reached), S_FALSE);
    EXPECT_EQ(count, 1u);
    EXPECT_EQ(reached, INT_MAX);
    EXPECT_EQ(events->Next(8, -1, records, 4, &count, &reached), E_INVALIDARG);

    EXPECT_EQ(EventTicks(OpenEvents(engine, u"Stimulus", 1).Get()), std::vector<std::int32_t>{2});
}

TEST(CalcEngine, CalculatedChannelsFromEvents)
{
    Blocks blocks = TwoChannelBlocks();
    blocks[0][1].resize(12);
    const MemoryRecording recording = TwoChannels(blocks, {u"Stimulus", {{0, 2}, {0, 5}, {0, 9}}});
    CalcEngine engine(recording);
    ComPtr<IHostChannelCalculations> calculations = engine.ChannelCalculations();

    VEX::String message;
    ComPtr<IChannelCalculation> refused(new FixedCalculation(u"EventFrequency(Stimulus)"));
    EXPECT_EQ(calculations->Apply(0, refused.Get(), &message), E_FAIL);
    EXPECT_EQ(message, VEX::String(u"not on channel 1"));
    EXPECT_EQ(calculations->Expression(0, &message), S_FALSE);

    ComPtr<IChannelCalculation> frequency(new FixedCalculation(u"EventFrequency(Stimulus)"));
    ASSERT_EQ(calculations->Apply(1, frequency.Get(), &message), S_OK);
    EXPECT_EQ(calculations->Expression(1, &message), S_OK);
    EXPECT_EQ(message, VEX::String(u"EventFrequency(Stimulus)"));

    ComPtr<IEnumSamples> samples;
    ASSERT_EQ(engine.OpenCalculatedSamples(1, 0, 0, samples.Put()), S_OK);
    HRESULT last = S_OK;
    const std::vector<float> hz = ReadSamples(samples.Get(), 5, &last);
    EXPECT_EQ(last, S_FALSE);
    ASSERT_EQ(hz.size(), 12u);
    const float third = 1.0f / 0.003f;
    EXPECT_THAT(hz, Pointwise(FloatEq(), std::vector<float>{0, 0, 0, 0, 0, third, third, third, third, 250, 250, 250}));
    ASSERT_EQ(engine.OpenCalculatedSamples(1, 0, 7, samples.Put()), S_OK);
    EXPECT_FLOAT_EQ(ReadSamples(samples.Get(), 3).front(), third);

    ComPtr<IChannelCalculation> marks(new FixedCalculation(u"eventinterp(Stimulus,1)"));
    ASSERT_EQ(calculations->Apply(1, marks.Get(), &message), S_OK);
    ASSERT_EQ(engine.OpenCalculatedSamples(1, 0, 0, samples.Put()), S_OK);
    EXPECT_EQ(ReadSamples(samples.Get(), 64), (std::vector<float>{0, 0, 1, 0, 0, 1, 0, 0, 0, 1, 0, 0}));

    ComPtr<IChannelCalculation> badMode(new FixedCalculation(u"eventinterp(Stimulus, 2)"));
    calculations->Apply(1, badMode.Get(), &message);
    EXPECT_TRUE(Failed(engine.OpenCalculatedSamples(1, 0, 0, samples.Put())));
    EXPECT_FALSE(samples);
}

TEST(CalcEngine, ChildDataIsFoundOnTheChannelThenOnTheDocument)
{
    const MemoryRecording recording = TwoChannels();
    CalcEngine engine(recording);
    Desk::ChildDataStore& store = engine.ChildData();
    ComPtr<IGrafoDataChildData> onDocument(new KeyedChild(7));
    ComPtr<IGrafoDataChildData> onChannel(new KeyedChild(7));
    ASSERT_EQ(store.Attach(-1, onDocument.Get()), S_OK);
    ASSERT_EQ(store.Attach(1, onChannel.Get()), S_OK);
    EXPECT_EQ(store.Attach(2, onChannel.Get()), E_INVALIDARG);

    ComPtr<IGrafoDataChildData> found;
    EXPECT_EQ(store.Find(1, 7, found.Put()), S_OK);
    EXPECT_EQ(found, onChannel);
    EXPECT_EQ(store.Find(0, 7, found.Put()), S_OK);
    EXPECT_EQ(found, onDocument);
    EXPECT_EQ(store.Find(1, 8, found.Put()), S_FALSE);
    EXPECT_FALSE(found);

    EXPECT_EQ(store.Detach(1, 7), S_OK);
    EXPECT_EQ(store.Detach(1, 7), S_FALSE);
    EXPECT_EQ(store.Find(1, 7, found.Put()), S_OK);
    EXPECT_EQ(found, onDocument);
}
