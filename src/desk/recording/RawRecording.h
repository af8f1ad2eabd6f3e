#pragma once

#include <memory>
#include <string>
#include <vector>

#include "desk/recording/LazyFingerprint.h"
#include "desk/recording/RecordingFile.h"
#include "desk/recording/RawSidecar.h"
#include "desk/recording/Recording.h"

namespace Desk {

// A raw binary recording described by a JSON sidecar (see RawSidecar). The
// data file stays open; Read reads and converts the samples it is asked for.
class RawRecording final : public Recording {
public:
    explicit RawRecording(const std::string& sidecarPath);

    std::string Source() const override { return sidecarPath_; }
    std::string Fingerprint() const override { return fingerprint_.Value(); }
    std::int32_t ChannelCount() const override { return sidecar_.channels; }
    std::int32_t BlockCount() const override { return static_cast<std::int32_t>(sidecar_.blocks.size()); }
    std::int32_t Ticks(std::int32_t channel, std::int32_t block) const override;
    double SampleInterval(std::int32_t channel, std::int32_t block) const override;
    double BlockStartTime(std::int32_t block) const override;
    VEX::String ChannelTitle(std::int32_t channel) const override;
    VEX::String ChannelUnit(std::int32_t channel) const override;
    std::size_t Read(std::int32_t channel, std::int32_t block, std::int64_t tick, std::size_t count,
                     float* out) const override;
    const std::vector<RecordedEvents>& Events() const override { return sidecar_.events; }

private:
    RawRecording(const std::string& sidecarPath, const std::string& text);
    bool HasChannel(std::int32_t channel) const;
    bool HasBlock(std::int32_t block) const;
    // Converts `count` samples of one channel read from frames `stride`
    // bytes apart.
    void Convert(const std::byte* sample, std::size_t stride, std::size_t count, float* out, std::int32_t channel) const;

    std::string sidecarPath_;
    RawSidecar sidecar_;
    std::unique_ptr<RecordingFile> data_;
    LazyFingerprint fingerprint_;
};

} // namespace Desk
