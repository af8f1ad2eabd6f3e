#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

#include "FuzzTarget.h"
#include "desk/recording/Recording.h"
#include "host/ISpikeDocInterface.h"

// What an accepted recording or document must have given.
namespace Fuzz {

// Every channel and block of an opened recording is usable, and reads whole.
inline void ExpectUsable(const Desk::Recording& recording, std::size_t sampleBudget)
{
    Expect(recording.ChannelCount() > 0 && recording.BlockCount() > 0, "a recording without channels or blocks");
    std::vector<float> samples;
    for (std::int32_t block = 0; block < recording.BlockCount(); ++block) {
        Expect(std::isfinite(recording.BlockStartTime(block)), "a block start time that is not finite");
        for (std::int32_t channel = 0; channel < recording.ChannelCount(); ++channel) {
            const double interval = recording.SampleInterval(channel, block);
            Expect(std::isfinite(interval) && interval > 0, "a sample interval that is not a positive number");
            const std::int32_t ticks = recording.Ticks(channel, block);
            Expect(ticks >= 0, "a negative tick count");
            const auto wanted = std::min<std::size_t>(sampleBudget, static_cast<std::size_t>(ticks));
            samples.resize(wanted);
            Expect(recording.Read(channel, block, 0, wanted, samples.data()) == wanted, "a short read");
            sampleBudget -= wanted;
        }
    }
}

// Every channel record the document took holds finite numbers.
inline void ExpectFiniteRecords(ISpikeDocInterface& analysis)
{
    std::vector<std::int32_t> channels;
    analysis.GetChannelKeys(&channels);
    for (const std::int32_t channel : channels) {
        Host::ChannelAnalysisRecord record;
        analysis.GetChannelRecord(channel, &record);
        Expect(std::isfinite(record.detectionThreshold) && std::isfinite(record.pretriggerTime) &&
                   std::isfinite(record.totalTriggerTime) && std::isfinite(record.optionValue1) &&
                   std::isfinite(record.defaultFitTolerance),
               "a channel record with a number that is not finite");
    }
}

} // namespace Fuzz
