#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "desk/recording/Recording.h"

namespace Desk {

struct TimedAnnotation {
    std::int64_t onset = 0; // 100 ns units from the start of the first block
    std::string text;       // UTF-8
};

// Where a block lies in time, and its tick count on the first channel.
struct BlockSpan {
    std::int64_t start = 0;    // 100 ns units from the start of the first block
    std::int64_t duration = 0; // 100 ns units
    std::int32_t ticks = 0;
};

// Turns annotations into event sources named by their (trimmed) text, in
// order of first appearance. An onset becomes the tick of the first channel
// nearest to it in the block whose span [start, start + duration) holds it
// (the last tick when it lies in the final half tick). Onsets before the
// first block, in a gap between blocks or after the last block belong to no
// block and are left out; a text left without marks offers no source.
std::vector<RecordedEvents> EventsFromAnnotations(const std::vector<TimedAnnotation>& annotations,
                                                  const std::vector<BlockSpan>& blocks);

} // namespace Desk
