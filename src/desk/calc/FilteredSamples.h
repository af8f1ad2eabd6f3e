#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "desk/calc/BiquadCascade.h"
#include "desk/calc/CalcContext.h"
#include "desk/calc/FilterDesign.h"
#include "host/IEnumSamples.h"
#include "platform/com/ComPtr.h"

namespace Desk {

// A channel's samples of one block through a filter. Each block is filtered
// on its own, as a separate stretch of recording, relative to its first
// sample, so a constant offset never reaches a filter that has a high-pass
// edge. Zero-phase runs forward, then backward from far enough ahead that
// what lies beyond no longer matters; causal runs forward only. Either way
// an enumerator opened mid-block starts its run early enough to settle, so
// any window reads as it would in a run over the whole block.
class FilteredSamples final : public UnknownImpl<IEnumSamples> {
public:
    // Fails with E_INVALIDARG, leaving *samples null, for a channel, block or
    // start tick that does not exist, or a filter the channel's rate refuses.
    static HRESULT Open(std::shared_ptr<const CalcContext> context, const FilterDesign& design, std::int32_t channel,
                        std::int32_t block, std::int32_t startTick, bool negated, IEnumSamples** samples);

    HRESULT Next(std::uint32_t count, float* samples, std::uint32_t* fetched) override;
    std::int32_t Tick() override { return tick_; }

private:
    FilteredSamples(std::shared_ptr<const CalcContext> context, const FilterDesign& design, std::int32_t channel,
                    std::int32_t block, std::int32_t startTick, bool negated);

    // How many samples from `from` on (up to `count`) exist now in the
    // channel and every reference channel.
    std::size_t Existing(std::int64_t from, std::size_t count) const;
    // Reads samples [from, from + count), less the reference channels'
    // median or mean; returns how many exist now.
    std::size_t ReadReferenced(std::int64_t from, std::size_t count, double* out) const;
    // The same relative to the block's first such value.
    std::size_t ReadRecorded(std::int64_t from, std::size_t count, double* out) const;
    // Takes the block's first value as the origin and settles the
    // forward filter where its run begins, once that much exists.
    bool Start();
    // Runs the forward filter on until `end` (or as far as samples exist).
    void RunForwardTo(std::int64_t end);
    std::size_t NextZeroPhase(std::size_t wanted, float* samples);
    std::size_t NextCausal(std::size_t wanted, float* samples);
    void Deliver(const double* values, std::size_t count, float* samples);

    std::shared_ptr<const CalcContext> context_;
    bool causal_;
    std::vector<std::int32_t> referenceChannels_;
    bool median_;
    std::int32_t channel_;
    std::int32_t block_;
    std::int32_t tick_;
    bool negated_;
    BiquadCascade forward_;
    BiquadCascade backward_;
    std::int64_t settling_;
    std::int64_t forwardEnd_;
    bool started_ = false;
    double origin_ = 0.0;
    // Forward output for ticks [tick_, forwardEnd_).
    std::vector<double> ahead_;
};

} // namespace Desk
