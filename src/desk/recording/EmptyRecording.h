#pragma once

#include "desk/recording/Recording.h"

namespace Desk {

// A recording with channels but no blocks: what a document works on when
// only its settings matter (reading or writing a settings stream).
class EmptyRecording final : public Recording {
public:
    explicit EmptyRecording(std::int32_t channels = 0) : channels_(channels) {}

    std::string Source() const override { return "none"; }
    std::string Fingerprint() const override { return "none"; }
    std::int32_t ChannelCount() const override { return channels_; }
    std::int32_t BlockCount() const override { return 0; }
    std::int32_t Ticks(std::int32_t, std::int32_t) const override { return 0; }
    double SampleInterval(std::int32_t, std::int32_t) const override { return 0.0; }
    double BlockStartTime(std::int32_t) const override { return 0.0; }
    VEX::String ChannelTitle(std::int32_t) const override { return {}; }
    VEX::String ChannelUnit(std::int32_t) const override { return {}; }
    std::size_t Read(std::int32_t, std::int32_t, std::int64_t, std::size_t, float*) const override { return 0; }
    const std::vector<RecordedEvents>& Events() const override { return events_; }

private:
    std::int32_t channels_;
    std::vector<RecordedEvents> events_;
};

} // namespace Desk
