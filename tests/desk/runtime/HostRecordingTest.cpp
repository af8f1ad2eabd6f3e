#include <gtest/gtest.h>

#include "desk/runtime/HostRecording.h"
#include "platform/com/ComPtr.h"
#include "support/MemoryRecording.h"

using namespace Desk;

namespace {

TestSupport::MemoryRecording TwoBlocks()
{
    // Channel 2 is sampled at half the rate of channel 1.
    return TestSupport::MemoryRecording({{std::vector<float>(100), std::vector<float>(50)},
                                         {std::vector<float>(80), std::vector<float>(40)}},
                                        1e-3, {0.0, 5.0});
}

} // namespace

TEST(HostRecording, ReportsLayoutAndValidatesPositions)
{
    const auto recording = TwoBlocks();
    SamplingState sampling;
    auto host = MakeCom<HostRecording>(recording, sampling);
    std::int32_t ticks = 0;
    ASSERT_EQ(host->BlockTicks(1, &ticks), S_OK);
    EXPECT_EQ(ticks, 80);
    Host::Position end;
    host->EndPosition(&end);
    EXPECT_EQ(end, (Host::Position{80, 1}));
    EXPECT_EQ(host->ValidatePosition(0, {100, 0}), S_OK) << "an end tick may equal the block length";
    EXPECT_EQ(host->ValidatePosition(0, {101, 0}), E_FAIL);
    EXPECT_EQ(host->ValidatePosition(1, {41, 1}), E_FAIL);
    EXPECT_EQ(host->ValidatePosition(0, {0, 2}), E_FAIL);
    EXPECT_EQ(host->ValidatePosition(2, {0, 0}), E_FAIL);
    std::int32_t block = 0;
    EXPECT_EQ(host->SampledBlock(&block), E_FAIL) << "not sampling";
}

TEST(HostRecording, WhileSamplingOnlyWhatArrivedExists)
{
    const auto recording = TwoBlocks();
    SamplingState sampling;
    auto host = MakeCom<HostRecording>(recording, sampling);
    sampling.Begin(0);
    sampling.Receive(60);
    EXPECT_EQ(host->BlockCount(), 1);
    std::int32_t ticks = 0;
    host->ChannelTicks(1, 0, &ticks);
    EXPECT_EQ(ticks, 30) << "the slower channel shows its share";
    Host::Position end;
    host->EndPosition(&end);
    EXPECT_EQ(end, (Host::Position{60, 0}));
    EXPECT_EQ(host->ValidatePosition(0, {61, 0}), E_FAIL);
    std::int32_t block = -1;
    EXPECT_EQ(host->SampledBlock(&block), S_OK);
    EXPECT_EQ(block, 0);

    sampling.EndBlock();
    sampling.Begin(1);
    host->ChannelTicks(0, 0, &ticks);
    EXPECT_EQ(ticks, 100) << "earlier blocks are complete";
    EXPECT_EQ(host->BlockCount(), 2);
    sampling.Stop();
    host->ChannelTicks(0, 1, &ticks);
    EXPECT_EQ(ticks, 80);
}
