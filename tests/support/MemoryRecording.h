#pragma once

#include <algorithm>
#include <vector>

#include "desk/recording/Recording.h"

namespace TestSupport {

// A small recording held in memory: channels x blocks of samples, one sample
// interval for all, blocks starting where the previous one ends unless told.
class MemoryRecording final : public Desk::Recording {
public:
    // samples[block][channel] holds that channel's samples in the block.
    explicit MemoryRecording(std::vector<std::vector<std::vector<float>>> samples, double interval = 1e-3,
                             std::vector<double> blockStarts = {})
        : samples_(std::move(samples)), interval_(interval), starts_(std::move(blockStarts))
    {
        if (starts_.empty()) {
            double start = 0.0;
            for (const auto& block : samples_) {
                starts_.push_back(start);
                start += interval_ * (block.empty() ? 0 : block.front().size());
            }
        }
    }

    std::string Source() const override { return "memory"; }
    std::string Fingerprint() const override { return "memory"; }
    std::int32_t ChannelCount() const override
    {
        return samples_.empty() ? 0 : static_cast<std::int32_t>(samples_.front().size());
    }
    std::int32_t BlockCount() const override { return static_cast<std::int32_t>(samples_.size()); }
    std::int32_t Ticks(std::int32_t channel, std::int32_t block) const override
    {
        return Valid(channel, block) ? static_cast<std::int32_t>(samples_[block][channel].size()) : 0;
    }
    double SampleInterval(std::int32_t, std::int32_t) const override { return interval_; }
    double BlockStartTime(std::int32_t block) const override { return starts_.at(block); }
    VEX::String ChannelTitle(std::int32_t channel) const override
    {
        return VEX::String::FromUtf8("Channel " + std::to_string(channel + 1));
    }
    VEX::String ChannelUnit(std::int32_t) const override { return u"mV"; }
    double ChannelUnitFactor(std::int32_t) const override { return unitFactor_; }
    void SetChannelUnitFactor(double factor) { unitFactor_ = factor; }
    std::size_t Read(std::int32_t channel, std::int32_t block, std::int64_t tick, std::size_t count,
                     float* out) const override
    {
        if (!Valid(channel, block) || tick < 0) {
            return 0;
        }
        const auto& data = samples_[block][channel];
        if (static_cast<std::size_t>(tick) >= data.size()) {
            return 0;
        }
        const std::size_t n = std::min(count, data.size() - static_cast<std::size_t>(tick));
        std::copy_n(data.begin() + tick, n, out);
        return n;
    }
    const std::vector<Desk::RecordedEvents>& Events() const override { return events_; }
    void AddEvents(Desk::RecordedEvents events) { events_.push_back(std::move(events)); }

private:
    double unitFactor_ = 1.0;
    bool Valid(std::int32_t channel, std::int32_t block) const
    {
        return block >= 0 && block < BlockCount() && channel >= 0 && channel < ChannelCount();
    }

    std::vector<std::vector<std::vector<float>>> samples_;
    double interval_;
    std::vector<double> starts_;
    std::vector<Desk::RecordedEvents> events_;
};

} // namespace TestSupport
