#include "desk/recording/SummaryPyramid.h"

#include <algorithm>

namespace Desk {

namespace {

constexpr std::size_t kReadChunk = 1 << 16;

std::vector<SampleRange> Coarser(const std::vector<SampleRange>& level)
{
    std::vector<SampleRange> coarser((level.size() + SummaryPyramid::kFanIn - 1) / SummaryPyramid::kFanIn);
    for (std::size_t i = 0; i < level.size(); ++i) {
        coarser[i / SummaryPyramid::kFanIn].Add(level[i]);
    }
    return coarser;
}

} // namespace

void SampleRange::Add(float value)
{
    low = empty ? value : std::min(low, value);
    high = empty ? value : std::max(high, value);
    empty = false;
}

void SampleRange::Add(const SampleRange& other)
{
    if (!other.empty) {
        Add(other.low);
        Add(other.high);
    }
}

SummaryPyramid::SummaryPyramid(const Recording& recording, std::int32_t channel)
    : recording_(recording), channel_(channel)
{
    std::vector<float> samples(kReadChunk);
    for (std::int32_t block = 0; block < recording.BlockCount(); ++block) {
        const std::int64_t ticks = recording.Ticks(channel, block);
        Level base(static_cast<std::size_t>((ticks + kBaseSpan - 1) / kBaseSpan));
        for (std::int64_t tick = 0; tick < ticks;) {
            const std::size_t read = recording.Read(channel, block, tick, kReadChunk, samples.data());
            if (read == 0) {
                break;
            }
            for (std::size_t i = 0; i < read; ++i) {
                base[static_cast<std::size_t>((tick + static_cast<std::int64_t>(i)) / kBaseSpan)].Add(samples[i]);
            }
            tick += static_cast<std::int64_t>(read);
        }
        std::vector<Level> levels{std::move(base)};
        while (levels.back().size() > 1) {
            levels.push_back(Coarser(levels.back()));
        }
        blocks_.push_back(std::move(levels));
    }
}

std::int32_t SummaryPyramid::LevelCount(std::int32_t block) const
{
    return block >= 0 && block < static_cast<std::int32_t>(blocks_.size())
               ? static_cast<std::int32_t>(blocks_[static_cast<std::size_t>(block)].size())
               : 0;
}

SampleRange SummaryPyramid::RawRange(std::int32_t block, std::int64_t first, std::int64_t last) const
{
    SampleRange range;
    float samples[kBaseSpan * 2];
    while (first < last) {
        const auto want = static_cast<std::size_t>(std::min<std::int64_t>(last - first, std::size(samples)));
        const std::size_t read = recording_.Read(channel_, block, first, want, samples);
        if (read == 0) {
            break;
        }
        for (std::size_t i = 0; i < read; ++i) {
            range.Add(samples[i]);
        }
        first += static_cast<std::int64_t>(read);
    }
    return range;
}

SampleRange SummaryPyramid::Range(std::int32_t block, std::int64_t first, std::int64_t last) const
{
    if (block < 0 || block >= static_cast<std::int32_t>(blocks_.size())) {
        return {};
    }
    first = std::max<std::int64_t>(first, 0);
    last = std::min<std::int64_t>(last, recording_.Ticks(channel_, block));
    if (last - first < 2 * kBaseSpan) {
        return RawRange(block, first, last);
    }
    // The coarsest level with at least two whole entries inside the span;
    // the rest at either end comes from the levels below.
    const std::vector<Level>& levels = blocks_[static_cast<std::size_t>(block)];
    std::int64_t span = kBaseSpan;
    std::size_t level = 0;
    while (level + 1 < levels.size() && span * kFanIn * 2 <= last - first) {
        span *= kFanIn;
        ++level;
    }
    const std::int64_t inner0 = (first + span - 1) / span;
    const std::int64_t inner1 = last / span;
    SampleRange range;
    for (std::int64_t i = inner0; i < inner1; ++i) {
        range.Add(levels[level][static_cast<std::size_t>(i)]);
    }
    range.Add(Range(block, first, inner0 * span));
    range.Add(Range(block, inner1 * span, last));
    return range;
}

} // namespace Desk
