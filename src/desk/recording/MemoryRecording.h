#pragma once

#include <string>
#include <vector>

#include "desk/recording/Recording.h"

namespace Desk {

// A recording held whole in memory (small generated ones such as the demo).
// Its fingerprint hashes every sample, so any change in what generated it
// shows.
class MemoryRecording final : public Recording {
public:
    struct Channel {
        VEX::String title;
        VEX::String unit;
    };
    struct Block {
        double startTime = 0; // seconds
        double interval = 0;  // seconds per tick, every channel
        std::vector<std::vector<float>> samples; // one list per channel
    };

    // Throws std::invalid_argument when a block does not have one sample
    // list per channel or one longer than a block can be.
    MemoryRecording(std::string source, std::vector<Channel> channels, std::vector<Block> blocks,
                    std::vector<RecordedEvents> events);

    std::string Source() const override { return source_; }
    std::string Fingerprint() const override { return fingerprint_; }
    std::int32_t ChannelCount() const override { return static_cast<std::int32_t>(channels_.size()); }
    std::int32_t BlockCount() const override { return static_cast<std::int32_t>(blocks_.size()); }
    std::int32_t Ticks(std::int32_t channel, std::int32_t block) const override;
    double SampleInterval(std::int32_t channel, std::int32_t block) const override;
    double BlockStartTime(std::int32_t block) const override;
    VEX::String ChannelTitle(std::int32_t channel) const override;
    VEX::String ChannelUnit(std::int32_t channel) const override;
    std::size_t Read(std::int32_t channel, std::int32_t block, std::int64_t tick, std::size_t count,
                     float* out) const override;
    const std::vector<RecordedEvents>& Events() const override { return events_; }

private:
    bool Has(std::int32_t channel, std::int32_t block) const;

    std::string source_;
    std::vector<Channel> channels_;
    std::vector<Block> blocks_;
    std::vector<RecordedEvents> events_;
    std::string fingerprint_;
};

} // namespace Desk
