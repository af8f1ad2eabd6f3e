#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "shell/AnalysisRun.h"

using namespace Nerolith;

namespace {

// Writes down what a run asks of the store.
class CallLog final : public BlockCollector {
public:
    bool BeginBlock(std::int32_t block, std::int32_t firstTick) override
    {
        calls.push_back("begin " + std::to_string(block) + " " + std::to_string(firstTick));
        return block != failingBlock;
    }
    bool Collect(std::int32_t endTick) override
    {
        calls.push_back("collect " + std::to_string(endTick));
        return false;
    }
    void EndBlock(std::int32_t lastTick) override { calls.push_back("end " + std::to_string(lastTick)); }

    std::vector<std::string> calls;
    std::int32_t failingBlock = -1;
};

// Keeps the texts and percentages it was given; cancels at a chosen update.
class Progress final : public UnknownImpl<IProgressIndicator> {
public:
    Progress() : UnknownImpl(1) {}
    HRESULT SetText(const VEX::String& text) override
    {
        texts.push_back(text.ToUtf8());
        return S_OK;
    }
    std::int32_t SetPercent(std::int32_t percent) override
    {
        percents.push_back(percent);
        return static_cast<int>(percents.size()) == cancelAt ? 1 : 0;
    }

    std::vector<std::string> texts;
    std::vector<std::int32_t> percents;
    int cancelAt = -1;
};

AnalysisRun::BlockLength Blocks(std::vector<std::int32_t> lengths)
{
    return [lengths](std::int32_t block) { return lengths.at(static_cast<std::size_t>(block)); };
}

} // namespace

TEST(AnalysisRun, ChunksAreAHundredthOfTheRangeBetweenOneAndTenThousandTicks)
{
    EXPECT_EQ(AnalysisRun::ChunkSize(150000), 1500);
    EXPECT_EQ(AnalysisRun::ChunkSize(99999), 99999) << "999 is below 1000: the whole range is one chunk";
    EXPECT_EQ(AnalysisRun::ChunkSize(100000), 1000);
    EXPECT_EQ(AnalysisRun::ChunkSize(5000000), 10000);
    EXPECT_EQ(AnalysisRun::ChunkSize(5000000000LL), 10000) << "ranges past 32-bit tick counts";
    EXPECT_EQ(AnalysisRun::ProgressText(0, 2).ToUtf8(), "Channel 1, Block 3");
}

TEST(AnalysisRun, ARangeWithinOneBlockCoversOnlyItsTicks)
{
    AnalysisRun run(0, {100, 1}, {400, 1}, Blocks({1000, 1000, 1000}));
    EXPECT_EQ(run.TotalTicks(), 300);
    CallLog log;
    Progress progress;
    EXPECT_TRUE(run.Run(log, &progress));
    EXPECT_EQ(log.calls, (std::vector<std::string>{"begin 1 100", "collect 400", "end 400"}));
    EXPECT_EQ(progress.texts, (std::vector<std::string>{"Channel 1, Block 2"}));
    EXPECT_EQ(progress.percents, (std::vector<std::int32_t>{100}));
}

TEST(AnalysisRun, ARangeAcrossBlocksTakesTheFirstFromItsStartAndTheLastToItsEnd)
{
    // 150000 ticks in all: chunks of 1500.
    AnalysisRun run(1, {48500, 0}, {48500, 2}, Blocks({50000, 100000, 60000}));
    ASSERT_EQ(run.TotalTicks(), 150000);
    CallLog log;
    Progress progress;
    EXPECT_TRUE(run.Run(log, &progress));
    ASSERT_GE(log.calls.size(), 6u);
    EXPECT_EQ(log.calls[0], "begin 0 48500");
    EXPECT_EQ(log.calls[1], "collect 50000");
    EXPECT_EQ(log.calls[2], "end 50000");
    EXPECT_EQ(log.calls[3], "begin 1 0");
    EXPECT_EQ(log.calls[4], "collect 1500");
    EXPECT_EQ(log.calls.back(), "end 48500");
    EXPECT_EQ(progress.texts, (std::vector<std::string>{"Channel 2, Block 1", "Channel 2, Block 2",
                                                        "Channel 2, Block 3"}));
    EXPECT_EQ(progress.percents.back(), 100);
    EXPECT_EQ(progress.percents.size(), 1u + 67u + 33u) << "one update per chunk";
}

TEST(AnalysisRun, CancelEndsTheCurrentBlockAndStops)
{
    AnalysisRun run(0, {0, 0}, {100000, 2}, Blocks({100000, 100000, 100000}));
    CallLog log;
    Progress progress;
    progress.cancelAt = 40; // chunks of 3000: the sixth chunk of the second block
    EXPECT_FALSE(run.Run(log, &progress));
    EXPECT_EQ(log.calls.back(), "end 100000") << "the block is still ended";
    EXPECT_EQ(std::count(log.calls.begin(), log.calls.end(), "begin 2 0"), 0);
    EXPECT_EQ(progress.texts.back(), "Channel 1, Block 2");
}

TEST(AnalysisRun, WithoutAProgressIndicatorTheRunStopsAfterItsFirstChunk)
{
    AnalysisRun run(0, {0, 0}, {200000, 0}, Blocks({200000}));
    CallLog log;
    EXPECT_FALSE(run.Run(log, nullptr));
    EXPECT_EQ(log.calls, (std::vector<std::string>{"begin 0 0", "collect 2000", "end 200000"}));
}

TEST(AnalysisRun, ABlockThatCannotBeOpenedIsEndedAndSkipped)
{
    AnalysisRun run(0, {0, 0}, {500, 2}, Blocks({500, 500, 500}));
    CallLog log;
    log.failingBlock = 1;
    Progress progress;
    EXPECT_TRUE(run.Run(log, &progress));
    EXPECT_EQ(log.calls, (std::vector<std::string>{"begin 0 0", "collect 500", "end 500", "begin 1 0", "end 500",
                                                   "begin 2 0", "collect 500", "end 500"}));
}
