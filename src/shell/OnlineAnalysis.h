#pragma once

#include <cstdint>

#include "host/IOnlineDataSink.h"

namespace Nerolith {

class SpikeDoc;

// Follows the host while it samples: with "Analyze while sampling" set, the
// source channel's spikes are collected block by block as samples arrive.
class OnlineAnalysis {
public:
    explicit OnlineAnalysis(SpikeDoc& doc) : doc_(doc) {}

    bool SamplingActive() const { return sampling_; }

    // Refuses (E_FAIL, *allowed 0) when the source channel analyses a
    // selection, which does not exist yet while sampling.
    HRESULT MayStart(std::int16_t* allowed, VEX::String* message);
    HRESULT Start();
    HRESULT BlockStart(const Host::BlockDescription& description, std::int16_t recorded);
    HRESULT NewData(std::int32_t ticks);
    HRESULT BlockEnd();
    HRESULT Stop();

private:
    bool CollectsBlock() const;

    SpikeDoc& doc_;
    bool sampling_ = false;
    bool blockOpen_ = false;
    std::int16_t recorded_ = 0;
    std::int32_t received_ = 0;
    std::int32_t sampledBlock_ = 0;
    // Spikes came while sampling: the markers are drawn anew at the stop.
    bool markersPending_ = false;
};

} // namespace Nerolith
