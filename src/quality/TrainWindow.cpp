#include "quality/TrainWindow.h"

#include <algorithm>

namespace Nerolith {

double RecordingSeconds(IHostRecording& recording, std::int32_t block, double t)
{
    double blockStart = 0.0;
    return (Succeeded(recording.BlockStartTime(block, &blockStart)) ? blockStart : 0.0) + t;
}

std::span<const double> TrainWithin(std::span<const double> train, const TrainWindow& window)
{
    const auto first = std::lower_bound(train.begin(), train.end(), window.startS);
    const auto end = std::lower_bound(first, train.end(), window.endS);
    return {first, end};
}

double AnalysedSecondsWithin(IHostRecording& recording, std::span<const AnalysedSpan> spans,
                             const TrainWindow& window)
{
    double seconds = 0.0;
    for (const AnalysedSpan& span : spans) {
        const double start = RecordingSeconds(recording, span.block, span.startS);
        const double end = start + (span.endS - span.startS);
        seconds += std::max(0.0, std::min(end, window.endS) - std::max(start, window.startS));
    }
    return seconds;
}

} // namespace Nerolith
