#pragma once

#include <cstdint>
#include <limits>
#include <span>

#include "host/IHostRecording.h"
#include "quality/UnitQualityTable.h"

namespace Nerolith {

// A stretch of a recording, [startS, endS) in seconds from its start: the
// time a page of a paged view covers.
struct TrainWindow {
    double startS = -std::numeric_limits<double>::infinity();
    double endS = std::numeric_limits<double>::infinity();
};

// Seconds from the start of the recording of time t of a block.
double RecordingSeconds(IHostRecording& recording, std::int32_t block, double t);

// The spikes of an ascending train inside the window.
std::span<const double> TrainWithin(std::span<const double> train, const TrainWindow& window);

// How many seconds of the analysed spans lie inside the window.
double AnalysedSecondsWithin(IHostRecording& recording, std::span<const AnalysedSpan> spans,
                             const TrainWindow& window);

} // namespace Nerolith
