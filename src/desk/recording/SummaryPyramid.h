#pragma once

#include <cstdint>
#include <vector>

#include "desk/recording/Recording.h"

namespace Desk {

// The lowest and highest sample of a span.
struct SampleRange {
    float low = 0.0F;
    float high = 0.0F;
    bool empty = true;

    void Add(float value);
    void Add(const SampleRange& other);
};

// Min/max summaries of one channel's blocks, level by level: level 0 sums up
// kBaseSpan samples per entry, each level above four entries of the one
// below. Drawing a long recording asks for a few entries per pixel column
// instead of reading every sample.
class SummaryPyramid {
public:
    static constexpr std::int64_t kBaseSpan = 64;
    static constexpr std::int64_t kFanIn = 4;

    // Reads the channel once, block by block.
    SummaryPyramid(const Recording& recording, std::int32_t channel);

    // The range of samples [first, last) of a block; coarse entries are used
    // where they fit, raw samples at the ends and when the span is short.
    SampleRange Range(std::int32_t block, std::int64_t first, std::int64_t last) const;

    std::int32_t LevelCount(std::int32_t block) const;

private:
    using Level = std::vector<SampleRange>;

    SampleRange RawRange(std::int32_t block, std::int64_t first, std::int64_t last) const;

    const Recording& recording_;
    std::int32_t channel_;
    std::vector<std::vector<Level>> blocks_; // [block][level]
};

} // namespace Desk
