// Channels picked out of interleaved frames land, byte for byte, where a
// sample-at-a-time copy puts them, whatever mix of neighbouring runs, gaps
// and leftover frames the tiles meet.
#include <cstdint>
#include <numeric>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "desk/recording/ChannelPicking.h"

namespace {

struct Layout {
    std::size_t frameChannels;
    std::vector<std::int32_t> picked;
};

std::vector<std::int32_t> Range(std::int32_t first, std::int32_t count)
{
    std::vector<std::int32_t> channels(static_cast<std::size_t>(count));
    std::iota(channels.begin(), channels.end(), first);
    return channels;
}

std::vector<std::int32_t> Joined(std::vector<std::int32_t> a, const std::vector<std::int32_t>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::string Describe(const Layout& layout, std::size_t sampleBytes, std::uint64_t count)
{
    std::ostringstream text;
    text << sampleBytes << "-byte samples, " << count << " frames of " << layout.frameChannels << " channels, picking";
    for (const std::int32_t channel : layout.picked) {
        text << ' ' << channel;
    }
    return text.str();
}

TEST(ChannelPicking, PutsEverySampleWhereASampleAtATimeCopyWould)
{
    const Layout layouts[] = {
        // every channel, in tiles only; then with one left over
        {32, Range(0, 32)},
        {33, Range(0, 33)},
        // tiles that do not start at a multiple of their size
        {19, Range(3, 16)},
        // neighbours, but backwards: no tile fits
        {16, {15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0}},
        // a gap that breaks the first run; runs out of order
        {24, Joined(Range(0, 7), Range(8, 16))},
        {12, Joined(Range(4, 8), Range(0, 4))},
        {7, {6, 0, 3}},
        {1, {0}},
    };
    for (const std::size_t sampleBytes : {2u, 4u}) {
        for (const Layout& layout : layouts) {
            for (const std::uint64_t count : {1u, 7u, 8u, 9u, 255u, 256u, 257u, 1'003u}) {
                const std::size_t frameBytes = layout.frameChannels * sampleBytes;
                // Exactly as long as the frames, so that a read past them shows
                // under the address sanitizer.
                std::vector<std::byte> frames(count * frameBytes);
                for (std::size_t i = 0; i < frames.size(); ++i) {
                    frames[i] = static_cast<std::byte>((i * 131 + i / 251) & 0xff);
                }
                const std::size_t runBytes = layout.picked.size() * count * sampleBytes;
                constexpr std::size_t kGuard = 64;
                std::vector<std::byte> runs(runBytes + kGuard, std::byte{0xa5});
                std::vector<std::byte> expected(runs);
                for (std::size_t slot = 0; slot < layout.picked.size(); ++slot) {
                    for (std::uint64_t i = 0; i < count; ++i) {
                        for (std::size_t b = 0; b < sampleBytes; ++b) {
                            expected[(slot * count + i) * sampleBytes + b] =
                                frames[i * frameBytes + static_cast<std::size_t>(layout.picked[slot]) * sampleBytes + b];
                        }
                    }
                }
                Desk::PickChannels(frames.data(), frameBytes, sampleBytes, layout.picked, count, runs.data());
                EXPECT_EQ(runs, expected) << Describe(layout, sampleBytes, count);
            }
        }
    }
}

} // namespace
