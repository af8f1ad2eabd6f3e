#include "desk/runtime/SamplingReplay.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace Desk {

SamplingReplay::SamplingReplay(HostDocument& document, Options options) : document_(document), options_(options)
{
    options_.chunkTicks = std::max<std::int32_t>(options_.chunkTicks, 1);
}

SamplingReplay::~SamplingReplay() { Stop(); }

HRESULT SamplingReplay::Run(IOnlineDataSink* sink, VEX::String* refusal)
{
    const HRESULT begun = Begin(sink, refusal);
    if (Failed(begun)) {
        return begun;
    }
    double paced = 0.0;
    while (Step()) {
        Pace(replayedSeconds_ - paced);
        paced = replayedSeconds_;
    }
    return S_OK;
}

HRESULT SamplingReplay::Begin(IOnlineDataSink* sink, VEX::String* refusal)
{
    if (sink == nullptr) {
        return E_POINTER;
    }
    if (Running()) {
        return E_FAIL;
    }
    std::int16_t allowed = -1;
    VEX::String message;
    if (Failed(sink->MayStart(&allowed, &message)) || allowed == 0) {
        if (refusal != nullptr) {
            *refusal = message;
        }
        return E_FAIL;
    }
    sink_ = ComPtr<IOnlineDataSink>(sink);
    block_ = 0;
    blockOpen_ = false;
    replayedSeconds_ = 0.0;
    // Sampling starts with an empty recording: nothing exists until it
    // arrives.
    document_.Sampling().Start();
    sink_->Start();
    document_.Messages().DeliverPending();
    return S_OK;
}

bool SamplingReplay::Step()
{
    if (!Running()) {
        return false;
    }
    if (!blockOpen_) {
        if (block_ >= document_.Data().BlockCount()) {
            Stop();
            return false;
        }
        BeginBlock();
    }
    const std::int32_t n = std::min(options_.chunkTicks, blockTicks_ - received_);
    if (n > 0) {
        document_.Sampling().Receive(n);
        received_ += n;
        replayedSeconds_ += n * interval_;
        sink_->NewData(n);
        document_.Messages().DeliverPending();
    }
    if (received_ >= blockTicks_) {
        EndBlock();
        ++block_;
    }
    return true;
}

void SamplingReplay::Stop()
{
    if (!Running()) {
        return;
    }
    if (blockOpen_) {
        EndBlock();
    }
    document_.Sampling().Stop();
    const ComPtr<IOnlineDataSink> sink = std::move(sink_);
    sink->Stop();
    document_.Messages().DeliverPending();
}

void SamplingReplay::BeginBlock()
{
    const Recording& data = document_.Data();
    document_.Sampling().Begin(block_);
    blockOpen_ = true;
    received_ = 0;
    blockTicks_ = document_.Layout().RecordedTicks(block_);
    interval_ = data.ChannelCount() > 0 ? data.SampleInterval(0, block_) : 0.0;
    sink_->BlockStart({block_, data.BlockStartTime(block_)}, -1);
    document_.Messages().DeliverPending();
}

void SamplingReplay::EndBlock()
{
    blockOpen_ = false;
    document_.Sampling().EndBlock();
    sink_->BlockEnd();
    document_.Messages().DeliverPending();
}

void SamplingReplay::Pace(double seconds) const
{
    if (options_.speed <= 0.0 || seconds <= 0.0) {
        return;
    }
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds / options_.speed));
}

} // namespace Desk
