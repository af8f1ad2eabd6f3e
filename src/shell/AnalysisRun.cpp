#include "shell/AnalysisRun.h"

#include <algorithm>
#include <string>

namespace Nerolith {
namespace {

constexpr std::int64_t kProgressSteps = 100;
constexpr std::int32_t kLargestChunk = 10000;
constexpr std::int32_t kSmallestChunk = 1000;

} // namespace

AnalysisRun::AnalysisRun(std::int32_t channel, Host::Position start, Host::Position end, BlockLength blockLength)
    : channel_(channel), start_(start), end_(end), blockLength_(std::move(blockLength))
{
    total_ = TotalTicks();
    chunk_ = ChunkSize(total_);
}

std::int32_t AnalysisRun::BlockFrom(std::int32_t block) const { return block == start_.block ? start_.tick : 0; }

std::int32_t AnalysisRun::BlockTo(std::int32_t block) const
{
    return block == end_.block ? end_.tick : blockLength_(block);
}

std::int64_t AnalysisRun::TotalTicks() const
{
    std::int64_t total = 0;
    for (std::int32_t block = start_.block; block <= end_.block; ++block) {
        total += BlockTo(block) - BlockFrom(block);
    }
    return total;
}

std::int32_t AnalysisRun::ChunkSize(std::int64_t total)
{
    const std::int64_t chunk = std::min<std::int64_t>(total / kProgressSteps, kLargestChunk);
    if (chunk < kSmallestChunk) {
        return static_cast<std::int32_t>(std::clamp<std::int64_t>(total, 0, INT32_MAX));
    }
    return static_cast<std::int32_t>(chunk);
}

VEX::String AnalysisRun::ProgressText(std::int32_t channel, std::int32_t block)
{
    return VEX::String::FromUtf8("Channel " + std::to_string(channel + 1) + ", Block " +
                                 std::to_string(block + 1));
}

bool AnalysisRun::Run(BlockCollector& collector, IProgressIndicator* progress)
{
    processed_ = 0;
    bool proceed = true;
    for (std::int32_t block = start_.block; block <= end_.block && proceed; ++block) {
        if (progress != nullptr) {
            progress->SetText(ProgressText(channel_, block));
        }
        const std::int32_t from = BlockFrom(block);
        const std::int32_t to = BlockTo(block);
        proceed = RunBlock(collector, progress, block, from, to);
        collector.EndBlock(to);
    }
    return proceed;
}

bool AnalysisRun::RunBlock(BlockCollector& collector, IProgressIndicator* progress, std::int32_t block,
                           std::int32_t from, std::int32_t to)
{
    if (!collector.BeginBlock(block, from)) {
        return true;
    }
    for (std::int32_t tick = from; tick < to;) {
        const std::int32_t step = std::min(to - tick, std::max(chunk_, 1));
        tick += step;
        processed_ += step;
        collector.Collect(tick);
        if (progress == nullptr) {
            return false;
        }
        const auto percent = static_cast<std::int32_t>(static_cast<double>(processed_) * 100.0 /
                                                       static_cast<double>(total_));
        if (progress->SetPercent(percent) != 0) {
            return false;
        }
    }
    return true;
}

} // namespace Nerolith
