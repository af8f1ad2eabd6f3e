#pragma once

#include <cstdint>
#include <functional>

#include "host/HostTypes.h"
#include "host/IProgressIndicator.h"
#include "platform/text/VexString.h"

namespace Nerolith {

// What a run feeds block by block: the spike store, opened on each block of
// the range with the channel's sources.
class BlockCollector {
public:
    // False when the block cannot be opened; it then contributes nothing.
    virtual bool BeginBlock(std::int32_t block, std::int32_t firstTick) = 0;
    // Takes what the block holds before `endTick`; whether spikes came.
    virtual bool Collect(std::int32_t endTick) = 0;
    virtual void EndBlock(std::int32_t lastTick) = 0;

protected:
    ~BlockCollector() = default;
};

// One offline run over a channel's analysed range [start, end), cut into
// chunks so that the progress indicator moves about a hundred times and the
// user can cancel between chunks.
class AnalysisRun {
public:
    // Ticks of the channel in a block.
    using BlockLength = std::function<std::int32_t(std::int32_t block)>;

    AnalysisRun(std::int32_t channel, Host::Position start, Host::Position end, BlockLength blockLength);

    // The ticks the range covers.
    std::int64_t TotalTicks() const;
    // A hundredth of the total, at most 10000; the whole range when that
    // would be below 1000 ticks.
    static std::int32_t ChunkSize(std::int64_t total);
    // "Channel N, Block M", both counted from 1.
    static VEX::String ProgressText(std::int32_t channel, std::int32_t block);

    // Feeds every block of the range to the collector. Returns false when the
    // user cancelled, or when there is no progress indicator to offer a
    // cancel (the run then stops after its first chunk). The block being
    // worked on is always ended.
    bool Run(BlockCollector& collector, IProgressIndicator* progress);

private:
    // Collects [from, to) of a block chunk by chunk; false to stop the run.
    bool RunBlock(BlockCollector& collector, IProgressIndicator* progress, std::int32_t block, std::int32_t from,
                  std::int32_t to);
    std::int32_t BlockFrom(std::int32_t block) const;
    std::int32_t BlockTo(std::int32_t block) const;

    std::int32_t channel_;
    Host::Position start_;
    Host::Position end_;
    BlockLength blockLength_;
    std::int64_t total_ = 0;
    std::int32_t chunk_ = 0;
    std::int64_t processed_ = 0;
};

} // namespace Nerolith
