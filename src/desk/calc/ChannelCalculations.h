#pragma once

#include <cstdint>
#include <map>
#include <memory>

#include "desk/calc/CalcContext.h"
#include "host/IChannelCalculation.h"
#include "host/IEnumSamples.h"
#include "platform/com/ComPtr.h"

namespace Desk {

// The calculations set on the document's channels, and their samples. A
// filter calculation also filters the channel for every reader of it.
class ChannelCalculations final : public UnknownImpl<IHostChannelCalculations> {
public:
    explicit ChannelCalculations(std::shared_ptr<CalcContext> context);

    // A null calculation takes the channel's calculation off.
    HRESULT Apply(std::int32_t channel, IChannelCalculation* calculation, VEX::String* message) override;
    HRESULT Expression(std::int32_t channel, VEX::String* text) override;

    // The calculation on a channel (null when none), e.g. to persist it.
    ComPtr<IChannelCalculation> Calculation(std::int32_t channel) const;
    // The channel's values as its calculation's expression gives them now.
    // Fails when the channel has no calculation or its expression cannot be
    // evaluated.
    HRESULT OpenCalculatedSamples(std::int32_t channel, std::int32_t block, std::int32_t startTick,
                                  IEnumSamples** samples) const;

private:
    std::shared_ptr<CalcContext> context_;
    std::map<std::int32_t, ComPtr<IChannelCalculation>> calculations_;
};

} // namespace Desk
