#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "desk/recording/MemoryRecording.h"
#include "desk/recording/SummaryPyramid.h"

namespace Desk {
namespace {

// Two blocks of odd lengths (not multiples of any level's span), noise with
// a few extremes placed at span edges.
MemoryRecording Noise()
{
    std::mt19937 random(7);
    std::normal_distribution<float> noise(0.0F, 1.0F);
    std::vector<MemoryRecording::Block> blocks;
    for (std::size_t length : {100'003U, 777U}) {
        MemoryRecording::Block block;
        block.interval = 1.0 / 20000;
        block.samples.emplace_back(length);
        std::ranges::generate(block.samples[0], [&] { return noise(random); });
        blocks.push_back(std::move(block));
    }
    blocks[0].samples[0][4095] = 50.0F;
    blocks[0].samples[0][4096] = -60.0F;
    blocks[0].samples[0][100'002] = 70.0F;
    return MemoryRecording("noise", {{u"ch1", u"V"}}, std::move(blocks), {});
}

SampleRange BruteForce(const MemoryRecording& recording, std::int32_t block, std::int64_t first, std::int64_t last)
{
    SampleRange range;
    std::vector<float> samples(static_cast<std::size_t>(std::max<std::int64_t>(last - first, 0)));
    const std::size_t read = recording.Read(0, block, first, samples.size(), samples.data());
    for (std::size_t i = 0; i < read; ++i) {
        range.Add(samples[i]);
    }
    return range;
}

TEST(SummaryPyramid, EveryRangeMatchesTheSamples)
{
    const MemoryRecording recording = Noise();
    const SummaryPyramid pyramid(recording, 0);
    EXPECT_GT(pyramid.LevelCount(0), 4);
    std::mt19937 random(11);
    std::uniform_int_distribution<std::int64_t> tick(0, 100'003);
    std::vector<std::pair<std::int64_t, std::int64_t>> spans{{0, 100'003}, {4095, 4096}, {4096, 4097}, {0, 64},
                                                             {63, 65},    {100'000, 100'003}};
    for (int i = 0; i < 300; ++i) {
        // By value: std::minmax of temporaries returns references to them.
        const std::int64_t a = tick(random);
        const std::int64_t b = tick(random);
        spans.emplace_back(std::min(a, b), std::max(a, b));
    }
    for (const auto& [first, last] : spans) {
        const SampleRange expected = BruteForce(recording, 0, first, last);
        const SampleRange got = pyramid.Range(0, first, last);
        ASSERT_EQ(got.empty, expected.empty) << first << ".." << last;
        if (!expected.empty) {
            ASSERT_EQ(got.low, expected.low) << first << ".." << last;
            ASSERT_EQ(got.high, expected.high) << first << ".." << last;
        }
    }
    EXPECT_EQ(pyramid.Range(0, 0, 200'000).high, 70.0F);
}

TEST(SummaryPyramid, ShortBlocksAndRangesOutsideAreSafe)
{
    const MemoryRecording recording = Noise();
    const SummaryPyramid pyramid(recording, 0);
    EXPECT_EQ(pyramid.Range(1, 0, 777).high, BruteForce(recording, 1, 0, 777).high);
    EXPECT_TRUE(pyramid.Range(1, 800, 900).empty);
    EXPECT_TRUE(pyramid.Range(2, 0, 10).empty);
    EXPECT_TRUE(pyramid.Range(-1, 0, 10).empty);
    EXPECT_TRUE(pyramid.Range(0, 500, 400).empty);
    EXPECT_EQ(pyramid.Range(0, -50, 10).low, BruteForce(recording, 0, 0, 10).low);
}

} // namespace
} // namespace Desk
