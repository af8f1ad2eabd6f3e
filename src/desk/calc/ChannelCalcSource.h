#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "desk/calc/CalcContext.h"
#include "desk/calc/FilterDesign.h"
#include "host/ICalcSource.h"
#include "platform/com/ComPtr.h"

namespace Desk {

// A channel argument, "chN" or "-chN", read as everything reads the channel;
// or, as the argument of Filter(...), through that filter from the
// recorded samples.
class ChannelCalcSource final : public UnknownImpl<ICalcSource> {
public:
    ChannelCalcSource(std::shared_ptr<const CalcContext> context, std::int32_t channel, bool negated,
                      std::optional<FilterDesign> filter = std::nullopt);

    std::int32_t Channel() override { return channel_; }
    HRESULT SampleInterval(std::int32_t block, double* seconds) override;
    HRESULT OpenSamples(std::int32_t block, std::int32_t startTick, IEnumSamples** samples) override;
    HRESULT OpenEvents(std::int32_t block, std::int32_t firstTick, std::int32_t endTick,
                       IEnumEventEx** events) override;
    HRESULT FindChildData(std::uint32_t key, IGrafoDataChildData** child) override;

private:
    std::shared_ptr<const CalcContext> context_;
    std::int32_t channel_;
    bool negated_;
    std::optional<FilterDesign> filter_;
};

// The sample interval of a channel in a block, for any source.
HRESULT ChannelSampleInterval(const CalcContext& context, std::int32_t channel, std::int32_t block,
                              double* seconds);

} // namespace Desk
