#pragma once

#include <cstdint>
#include <string>

#include "desk/calc/FilterDesign.h"
#include "desk/recording/Recording.h"
#include "host/IChannelCalculation.h"

namespace Desk {

// The host's own channel calculation: the channel's samples through a
// filter, "Filter(chN, LOW, HIGH, ORDER, CAUSAL)" (HIGH 0 for a high-pass
// only), with ", MODE, chA, chB, ..." after it for a reference (MODE 1:
// their median, 2: their mean, taken off before filtering). Setting it on its channel makes every reader of the channel, the
// detection included, see the filtered samples. Its settings are kept as a
// small JSON text.
class FilterCalculation final : public UnknownImpl<IChannelCalculation> {
public:
    static constexpr const char* kClassName = "Filter";
    static constexpr int kMedianReference = 1;
    static constexpr int kMeanReference = 2;

    // Handed out with a count of 1, for `channel` of `recording`.
    FilterCalculation(const Recording& recording, std::int32_t channel, const FilterDesign& design);

    const FilterDesign& Design() const { return design_; }
    std::int32_t Channel() const { return channel_; }

    HRESULT ExpressionText(VEX::String* text) override;
    // Refuses another channel, a filter an edge of which does not lie below
    // half of the channel's sample rate in every block, and reference
    // channels not sampled as the channel is.
    HRESULT CheckChannel(std::int32_t channel, VEX::String* message) override;
    HRESULT SaveSettings(IStream* stream) override;
    // A stream that cannot be read leaves the settings as they were.
    HRESULT LoadSettings(IStream* stream) override;

    // Why `design` cannot run on `channel` of `recording`; empty when it can.
    static std::string Problem(const Recording& recording, std::int32_t channel, const FilterDesign& design);

private:
    const Recording& recording_;
    std::int32_t channel_;
    FilterDesign design_;
};

} // namespace Desk
