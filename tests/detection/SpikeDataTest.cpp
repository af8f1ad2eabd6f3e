#include <gtest/gtest.h>

#include <cfloat>

#include "detection/Expressions.h"
#include "detection/GrafoBuffer.h"
#include "detection/SpikeData.h"
#include "support/FakeHost.h"

using namespace Nerolith;
using Code = SpikeNotification::Code;

namespace {

SpikeEvent Spike(std::int32_t tick, double height = 1.0, double widthSeconds = 0.0005, std::int32_t unit = -1)
{
    SpikeEvent s;
    s.tick = tick;
    s.height = height;
    s.width = widthSeconds;
    s.unit = unit;
    return s;
}

struct Store : ::testing::Test {
    FakeHost::Owner owner;
    ComPtr<SpikeData> store = MakeCom<SpikeData>(&owner);
    FakeHost::Calc& calc = owner.calc();

    void Analyse(std::int32_t block, std::int32_t stimulus, std::int32_t reference)
    {
        ASSERT_TRUE(store->BeginBlock(0, block, 0, u"SpikeDet(ch1)", stimulus, reference));
        store->Collect(INT_MAX);
        store->EndBlock(1000);
    }
};

std::vector<std::int32_t> Codes(const std::vector<SpikeNotification>& told)
{
    std::vector<std::int32_t> codes;
    for (const SpikeNotification& n : told) {
        codes.push_back(n.code);
    }
    return codes;
}

} // namespace

TEST_F(Store, ExtentsCoverTheSpikesAndResetInvertsThem)
{
    EXPECT_EQ(store->Spikes().Extents().maxHeight, -FLT_MAX);
    store->AddSpike(0, Spike(10, 2.0, 0.0005));
    EXPECT_EQ(store->Spikes().Extents().minHeight, 2.0f);
    EXPECT_EQ(store->Spikes().Extents().maxHeight, 2.0f);
    store->AddSpike(0, Spike(20, -1.0, 0.001));
    const SpikeExtents& e = store->Spikes().Extents();
    EXPECT_EQ(e.minHeight, -1.0f);
    EXPECT_EQ(e.maxHeight, 2.0f);
    EXPECT_EQ(e.minWidth, 0.5f);
    EXPECT_EQ(e.maxWidth, 1.0f);

    store->Reset();
    EXPECT_EQ(store->Spikes().Size(), 0u);
    EXPECT_EQ(store->Spikes().Extents().minWidth, FLT_MAX);
    EXPECT_EQ(store->CurrentBlock(), INT_MAX);
    EXPECT_EQ(owner.resets, 1);
}

TEST_F(Store, BlockRunTellsFramesSpikesAndEvents)
{
    calc.spikes[1] = {Spike(5, 3.0, 0.002, 4), Spike(9)};
    calc.events[{3, 1}] = {{7, 0.0f, 0.0}};
    calc.events[{6, 1}] = {{8, 0.0f, 0.0}};
    ASSERT_TRUE(store->BeginBlock(0, 1, 2, u"SpikeDet(ch1)", 3, Host::kAbsentSource));
    EXPECT_TRUE(store->Collect(INT_MAX));
    store->EndBlock(100);
    EXPECT_FALSE(store->Collect(INT_MAX));

    EXPECT_EQ(Codes(owner.told), (std::vector<std::int32_t>{Code::kBlockStart, Code::kSpike, Code::kStimulus,
                                                            Code::kSpike, Code::kBlockEnd}))
        << "the stimulus at tick 7 is told between the spikes at 5 and 9";
    EXPECT_DOUBLE_EQ(owner.told[0].time, 2 * 0.002);
    const SpikeNotification& spike = owner.told[1];
    EXPECT_EQ(spike.block, 1);
    EXPECT_DOUBLE_EQ(spike.time, 5 * 0.002);
    EXPECT_FLOAT_EQ(spike.width, 2.0f);
    EXPECT_EQ(spike.height, 3.0);
    EXPECT_EQ(spike.unit, 4);
    EXPECT_DOUBLE_EQ(owner.told[4].time, 100 * 0.002);
    EXPECT_EQ(store->StimulusEvents(), (std::deque<Host::Position>{{7, 1}}));
    EXPECT_TRUE(store->ReferenceEvents().empty());

    // No spike events for a block: skipped, nothing opened or told.
    const std::size_t told = owner.told.size();
    EXPECT_FALSE(store->BeginBlock(0, 5, 0, u"SpikeDet(ch1)", 3, 6));
    EXPECT_FALSE(store->BlockOpen());
    store->EndBlock(10);
    EXPECT_EQ(owner.told.size(), told);
}

TEST_F(Store, ReplayFramesBlocksAroundTheirSpikes)
{
    calc.spikes[0] = {Spike(10), Spike(20)};
    calc.events[{1, 0}] = {{10, 0.0f, 0.0}};
    calc.events[{2, 0}] = {{15, 0.0f, 0.0}};
    calc.spikes[1] = {};
    calc.spikes[2] = {Spike(40)};
    calc.events[{1, 2}] = {{30, 0.0f, 0.0}};
    calc.events[{2, 2}] = {{50, 0.0f, 0.0}};
    for (std::int32_t block = 0; block < 3; ++block) {
        Analyse(block, 1, 2);
    }

    std::vector<SpikeNotification> replayed;
    store->Replay([&](const SpikeNotification& n) { replayed.push_back(n); });
    // The empty block 1 and the reference event after the last spike are
    // not replayed; events at a spike's tick come before it.
    EXPECT_EQ(Codes(replayed), (std::vector<std::int32_t>{3, 1, 0, 5, 0, 4, 3, 1, 0, 4}));
    const std::vector<std::int32_t> blocks = {0, 0, 0, 0, 0, 0, 2, 2, 2, 2};
    for (std::size_t i = 0; i < replayed.size(); ++i) {
        EXPECT_EQ(replayed[i].block, blocks[i]) << i;
    }
    EXPECT_DOUBLE_EQ(replayed[0].time, 10 * 0.001);
    EXPECT_DOUBLE_EQ(replayed[5].time, 20 * 0.001);
    EXPECT_DOUBLE_EQ(replayed[6].time, 40 * 0.003);
    EXPECT_DOUBLE_EQ(replayed[7].time, 30 * 0.003);
}

TEST_F(Store, FoundThroughChildDataAndCloned)
{
    store->AddSpike(0, Spike(1));
    EXPECT_EQ(SpikeData::FromChildData(store.Get()), store.Get());
    EXPECT_EQ(SpikeData::FromChildData(nullptr), nullptr);
    IGrafoDataChildData* raw = nullptr;
    ASSERT_EQ(store->Clone(&raw), S_OK);
    auto copy = ComPtr<IGrafoDataChildData>::Attach(raw);
    SpikeData* copied = SpikeData::FromChildData(copy.Get());
    ASSERT_NE(copied, nullptr);
    EXPECT_NE(copied, store.Get());
    EXPECT_EQ(copied->Spikes().Size(), 1u);
    EXPECT_EQ(copy->TypeKey(), SpikeData::ChildDataKey());
}

TEST(GrafoBuffer, ZerosBeforeTickZeroAndPastTheBlockEnd)
{
    auto calc = MakeCom<FakeHost::Calc>();
    calc->samples[{0, 0}] = {1, 2, 3, 4, 5};
    GrafoBuffer buffer(calc.Get(), 0);
    std::vector<float> window(4);
    EXPECT_TRUE(buffer.Fill(window, -2, 0));
    EXPECT_EQ(window, (std::vector<float>{0, 0, 1, 2}));
    EXPECT_TRUE(buffer.Fill(window, 3, 0));
    EXPECT_EQ(window, (std::vector<float>{4, 5, 0, 0}));
    EXPECT_FALSE(buffer.Fill(window, 0, 9));
    EXPECT_TRUE(window.empty());
}

TEST(Expressions, ClassicNumbersAndNames)
{
    SpikeDetArguments a;
    a.channel = 2;
    a.threshold = -0.2;
    a.pretriggerTime = 0.001;
    a.totalTriggerTime = 0.004;
    a.discriminationMode = 1;
    a.signalMode = 1;
    EXPECT_EQ(SpikeDetExpression(a), VEX::String(u"SpikeDet(-ch3, -0.2, 0.001, 0.004, 2, 1, 1, -1, -1, -1, -1)"));
    a.signalMode = 0;
    a.threshold = 1234567.8;
    a.limitStartRecord = 0;
    a.limitStartTick = 0;
    a.limitEndRecord = 2;
    a.limitEndTick = 1200000;
    EXPECT_EQ(SpikeDetExpression(a),
              VEX::String(u"SpikeDet(ch3, 1.23457e+06, 0.001, 0.004, 2, 1, 0, 0, 0, 2, 1200000)"));
    EXPECT_EQ(UnitSelectorExpression(u"Spikes 1", 0), VEX::String(u"UnitSelector(Spikes 1, 0)"));
    EXPECT_EQ(UnitSourceName(0), VEX::String(u"NerolithUnit1"));
}

TEST_F(Store, ChunksTellSpikesAndBothEventKindsInTimeOrder)
{
    calc.spikes[0] = {Spike(10), Spike(30), Spike(50)};
    calc.events[{3, 0}] = {{10, 0.0f, 0.0}, {40, 0.0f, 0.0}};
    calc.events[{6, 0}] = {{5, 0.0f, 0.0}, {30, 0.0f, 0.0}, {45, 0.0f, 0.0}};
    ASSERT_TRUE(store->BeginBlock(0, 0, 0, u"SpikeDet(ch1)", 3, 6));
    store->Collect(35);
    store->Collect(INT_MAX);
    store->EndBlock(100);
    EXPECT_EQ(Codes(owner.told),
              (std::vector<std::int32_t>{Code::kBlockStart, Code::kReference, Code::kStimulus, Code::kSpike,
                                         Code::kReference, Code::kSpike, Code::kStimulus, Code::kReference,
                                         Code::kSpike, Code::kBlockEnd}));
}
