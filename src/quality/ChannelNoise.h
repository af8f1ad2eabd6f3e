#pragma once

#include <cstdint>

#include "host/HostTypes.h"
#include "host/IHostCalc.h"
#include "host/IHostRecording.h"

namespace Nerolith {

// The noise sigma of a channel as detection reads it (filtered when a filter
// is set): median(|x|)/0.6745 over [start, end), end's block past the last
// meaning to the end. NaN when the range holds no samples.
double ChannelNoiseSigma(IHostCalc& calc, IHostRecording& recording, std::int32_t channel, Host::Position start,
                         Host::Position end);

} // namespace Nerolith
