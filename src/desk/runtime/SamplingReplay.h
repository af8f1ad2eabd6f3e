#pragma once

#include <cstdint>

#include "desk/runtime/HostDocument.h"
#include "host/IOnlineDataSink.h"
#include "platform/com/ComPtr.h"

namespace Desk {

// Plays a recording back as if the host were sampling it: block by block,
// the sampled block growing by `chunkTicks` at a time, with the online data
// sink told of start, each block's start, new data and end, and stop. The
// host's message loop runs between chunks.
//
// Run plays it all, pacing itself by sleeping; a caller with a clock of its
// own (a window's timer) calls Begin, then Step until it answers false, and
// may Stop at any time.
class SamplingReplay {
public:
    struct Options {
        std::int32_t chunkTicks = 2000;
        // Multiple of real time; 0 replays as fast as possible.
        double speed = 0.0;
    };

    SamplingReplay(HostDocument& document, Options options);
    // A replay still running is stopped.
    ~SamplingReplay();
    SamplingReplay(const SamplingReplay&) = delete;
    SamplingReplay& operator=(const SamplingReplay&) = delete;

    // Returns S_OK after a complete replay; the sink's refusal (E_FAIL with
    // its message in *refusal) leaves the recording untouched.
    HRESULT Run(IOnlineDataSink* sink, VEX::String* refusal);

    // Starts sampling, as Run does, without delivering any data.
    HRESULT Begin(IOnlineDataSink* sink, VEX::String* refusal);
    // Delivers the next chunk, starting and ending blocks on the way, and
    // stops after the last; false once there is nothing more.
    bool Step();
    // Ends sampling now: the open block ends where it is, then the sink is
    // told to stop. Nothing happens when not running.
    void Stop();
    bool Running() const { return sink_ != nullptr; }
    // Seconds of recording delivered so far.
    double ReplayedSeconds() const { return replayedSeconds_; }

private:
    void BeginBlock();
    void EndBlock();
    void Pace(double seconds) const;

    HostDocument& document_;
    Options options_;
    ComPtr<IOnlineDataSink> sink_;
    std::int32_t block_ = 0;
    bool blockOpen_ = false;
    std::int32_t blockTicks_ = 0;
    std::int32_t received_ = 0;
    double interval_ = 0.0;
    double replayedSeconds_ = 0.0;
};

} // namespace Desk
