#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

#include "desk/runtime/Session.h"
#include "host/HostTypes.h"

namespace Nerolith::Cli {

// --threshold V (channel units) or Nsd (N noise sigmas, sigma =
// median(|x|)/0.6745 of the channel as detection reads it, filtered when a
// filter is set).
struct ThresholdOption {
    std::optional<double> value;
    std::optional<double> sigmas;

    static ThresholdOption Parse(const std::string& text);
};

// What a noise-scaled threshold came to, for the summary.
struct NoiseThreshold {
    double sigmas = 0.0;
    double sigma = 0.0;
    double threshold = 0.0; // as stored: compared with the channel, negated under negative polarity
    bool negative = false;
};

// sigma = median(|x|)/0.6745 of a channel over [start, end) (block, tick);
// end.block past the last block means to the end.
double NoiseSigma(Desk::Session& session, std::int32_t channel, Host::Position start, Host::Position end);

// N sigmas of a channel, over the host's selection when `inSelection`, else
// over every block.
NoiseThreshold MeasureNoiseThreshold(Desk::Session& session, std::int32_t channel, double sigmas, bool negative,
                                     bool inSelection);

// The threshold line of the summary: the level in channel units as the
// signal crosses it, then its noise form.
void PrintNoiseThreshold(const NoiseThreshold& threshold, std::ostream& out);

extern const char* const kThresholdHelp;

} // namespace Nerolith::Cli
