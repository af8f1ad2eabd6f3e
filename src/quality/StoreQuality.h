#pragma once

#include <vector>

#include "detection/SpikeData.h"
#include "host/IHostRecording.h"
#include "host/ISpikeDocInterface.h"
#include "host/UnitQuality.h"
#include "quality/UnitQualityTable.h"

namespace Nerolith {

// The train a correlogram of the store counts: a unit's spikes, or with
// kReferenceTrain the reference events. Seconds from the start of the
// recording (the block's start plus tick x sample interval), ascending.
inline constexpr std::int32_t kReferenceTrain = -3;
std::vector<double> StoreTrain(const SpikeData& store, IHostRecording& recording, std::int32_t channel,
                               std::int32_t unit);

// A unit's interspike intervals in seconds, within each block (blocks are
// separate stretches of recording), in spike order.
std::vector<double> StoreIntervals(const SpikeData& store, IHostRecording& recording, std::int32_t channel,
                                   std::int32_t unit);

// The analysed stretch of each block of a channel's record.
std::vector<AnalysedSpan> AnalysedSpans(IHostRecording& recording, const Host::ChannelAnalysisRecord& record);

// The quality figures of `channel`'s units from the spikes in the store,
// which holds that channel's analysis of `record`'s range. The censored
// period is the detector's dead time after a trigger (window less
// pretrigger), inside which no second spike can be found.
std::vector<Host::UnitQuality> MeasureStoreQuality(const SpikeData& store, IHostRecording& recording,
                                                   const Host::ChannelAnalysisRecord& record, double noiseSigma,
                                                   const Host::QualitySettings& settings);

} // namespace Nerolith
