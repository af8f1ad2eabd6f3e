#include "desk/runtime/SamplingReplay.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace Desk {

SamplingReplay::SamplingReplay(HostDocument& document, Options options) : document_(document), options_(options)
{
    options_.chunkTicks = std::max<std::int32_t>(options_.chunkTicks, 1);
}

HRESULT SamplingReplay::Run(IOnlineDataSink* sink, VEX::String* refusal)
{
    if (sink == nullptr) {
        return E_POINTER;
    }
    std::int16_t allowed = -1;
    VEX::String message;
    if (Failed(sink->MayStart(&allowed, &message)) || allowed == 0) {
        if (refusal != nullptr) {
            *refusal = message;
        }
        return E_FAIL;
    }
    // Sampling starts with an empty recording: nothing exists until it
    // arrives.
    document_.Sampling().Start();
    sink->Start();
    document_.Messages().DeliverPending();
    const std::int32_t blocks = document_.Data().BlockCount();
    for (std::int32_t block = 0; block < blocks; ++block) {
        ReplayBlock(sink, block);
    }
    document_.Sampling().Stop();
    sink->Stop();
    document_.Messages().DeliverPending();
    return S_OK;
}

void SamplingReplay::ReplayBlock(IOnlineDataSink* sink, std::int32_t block)
{
    SamplingState& sampling = document_.Sampling();
    sampling.Begin(block);
    const Recording& data = document_.Data();
    sink->BlockStart({block, data.BlockStartTime(block)}, -1);
    document_.Messages().DeliverPending();

    const std::int32_t total = document_.Layout().RecordedTicks(block);
    const double interval = data.ChannelCount() > 0 ? data.SampleInterval(0, block) : 0.0;
    for (std::int32_t received = 0; received < total;) {
        const std::int32_t n = std::min(options_.chunkTicks, total - received);
        sampling.Receive(n);
        received += n;
        sink->NewData(n);
        document_.Messages().DeliverPending();
        Pace(n, interval);
    }
    sampling.EndBlock();
    sink->BlockEnd();
    document_.Messages().DeliverPending();
}

void SamplingReplay::Pace(std::int32_t ticks, double interval) const
{
    if (options_.speed <= 0.0 || interval <= 0.0) {
        return;
    }
    std::this_thread::sleep_for(std::chrono::duration<double>(ticks * interval / options_.speed));
}

} // namespace Desk
