#pragma once

#include "desk/recording/Recording.h"
#include "desk/runtime/SamplingState.h"
#include "host/IHostRecording.h"

namespace Desk {

// The recording layout as the module sees it, limited to what has been
// "sampled" so far while a sampling replay runs.
class HostRecording final : public UnknownImpl<IHostRecording> {
public:
    HostRecording(const Recording& recording, const SamplingState& sampling);

    std::int32_t ChannelCount() override;
    std::int32_t BlockCount() override;
    HRESULT ChannelTicks(std::int32_t channel, std::int32_t block, std::int32_t* ticks) override;
    HRESULT BlockTicks(std::int32_t block, std::int32_t* ticks) override;
    HRESULT BlockStartTime(std::int32_t block, double* seconds) override;
    HRESULT SampleInterval(std::int32_t channel, std::int32_t block, double* seconds) override;
    HRESULT SampledBlock(std::int32_t* block) override;
    HRESULT ValidatePosition(std::int32_t channel, Host::Position position) override;
    HRESULT EndPosition(Host::Position* end) override;
    HRESULT ChannelTitle(std::int32_t channel, VEX::String* title) override;
    HRESULT ChannelUnit(std::int32_t channel, VEX::String* unit, double* factor) override;

    // Ticks of a channel in a block as visible now; 0 when out of range.
    std::int32_t VisibleTicks(std::int32_t channel, std::int32_t block) const;
    // Ticks of a block once it is complete: the longest of its channels.
    std::int32_t RecordedTicks(std::int32_t block) const;

private:
    bool HasChannel(std::int32_t channel) const;
    bool HasBlock(std::int32_t block) const;

    const Recording& recording_;
    const SamplingState& sampling_;
};

} // namespace Desk
