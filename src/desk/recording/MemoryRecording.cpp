#include "desk/recording/MemoryRecording.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

#include "desk/recording/ContentHash.h"

namespace Desk {

MemoryRecording::MemoryRecording(std::string source, std::vector<Channel> channels, std::vector<Block> blocks,
                                 std::vector<RecordedEvents> events)
    : source_(std::move(source)), channels_(std::move(channels)), blocks_(std::move(blocks)), events_(std::move(events))
{
    ContentHash hash;
    for (const Block& block : blocks_) {
        if (block.samples.size() != channels_.size()) {
            throw std::invalid_argument("MemoryRecording: a block needs one sample list per channel");
        }
        hash.Add(std::as_bytes(std::span(&block.startTime, 1)));
        hash.Add(std::as_bytes(std::span(&block.interval, 1)));
        for (const std::vector<float>& samples : block.samples) {
            if (samples.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
                throw std::invalid_argument("MemoryRecording: a block is longer than a block can be");
            }
            hash.Add(std::as_bytes(std::span(samples)));
        }
    }
    for (const Channel& channel : channels_) {
        hash.Add(channel.title.ToUtf8());
        hash.Add(channel.unit.ToUtf8());
    }
    for (const RecordedEvents& source : events_) {
        hash.Add(source.name.ToUtf8());
        hash.Add(std::as_bytes(std::span(source.marks)));
    }
    fingerprint_ = hash.Fingerprint(source_);
}

bool MemoryRecording::Has(std::int32_t channel, std::int32_t block) const
{
    return channel >= 0 && channel < ChannelCount() && block >= 0 && block < BlockCount();
}

std::int32_t MemoryRecording::Ticks(std::int32_t channel, std::int32_t block) const
{
    return Has(channel, block) ? static_cast<std::int32_t>(blocks_[block].samples[channel].size()) : 0;
}

double MemoryRecording::SampleInterval(std::int32_t channel, std::int32_t block) const
{
    return Has(channel, block) ? blocks_[block].interval : 0;
}

double MemoryRecording::BlockStartTime(std::int32_t block) const
{
    return block >= 0 && block < BlockCount() ? blocks_[block].startTime : 0;
}

VEX::String MemoryRecording::ChannelTitle(std::int32_t channel) const
{
    return channel >= 0 && channel < ChannelCount() ? channels_[channel].title : VEX::String();
}

VEX::String MemoryRecording::ChannelUnit(std::int32_t channel) const
{
    return channel >= 0 && channel < ChannelCount() ? channels_[channel].unit : VEX::String();
}

std::size_t MemoryRecording::Read(std::int32_t channel, std::int32_t block, std::int64_t tick, std::size_t count,
                                  float* out) const
{
    const std::int64_t ticks = Ticks(channel, block);
    if (tick < 0 || tick >= ticks) {
        return 0;
    }
    const auto total = static_cast<std::size_t>(std::min<std::uint64_t>(count, static_cast<std::uint64_t>(ticks - tick)));
    const float* first = blocks_[block].samples[channel].data() + tick;
    std::copy(first, first + total, out);
    return total;
}

} // namespace Desk
