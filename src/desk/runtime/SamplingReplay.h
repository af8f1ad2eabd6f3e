#pragma once

#include <cstdint>

#include "desk/runtime/HostDocument.h"
#include "host/IOnlineDataSink.h"

namespace Desk {

// Plays a recording back as if the host were sampling it: block by block,
// the sampled block growing by `chunkTicks` at a time, with the online data
// sink told of start, each block's start, new data and end, and stop. The
// host's message loop runs between chunks.
class SamplingReplay {
public:
    struct Options {
        std::int32_t chunkTicks = 2000;
        // Multiple of real time; 0 replays as fast as possible.
        double speed = 0.0;
    };

    SamplingReplay(HostDocument& document, Options options);

    // Returns S_OK after a complete replay; the sink's refusal (E_FAIL with
    // its message in *refusal) leaves the recording untouched.
    HRESULT Run(IOnlineDataSink* sink, VEX::String* refusal);

private:
    void ReplayBlock(IOnlineDataSink* sink, std::int32_t block);
    void Pace(std::int32_t ticks, double interval) const;

    HostDocument& document_;
    Options options_;
};

} // namespace Desk
