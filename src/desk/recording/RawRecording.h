#pragma once

#include <memory>
#include <string>
#include <vector>

#include "desk/recording/FileMapping.h"
#include "desk/recording/LazyFingerprint.h"
#include "desk/recording/PlanarCopy.h"
#include "desk/recording/SampleConversion.h"
#include "desk/recording/RecordingFile.h"
#include "desk/recording/RawSidecar.h"
#include "desk/recording/Recording.h"

namespace Desk {

// A raw binary recording described by a JSON sidecar (see RawSidecar). The
// data file stays open. When it is mapped (see FileMapping::Map), Read
// converts the samples it is asked for straight from the mapping and Lend
// hands out a lone unscaled float32 channel in place; otherwise Read reads
// them with pread and nothing is lent. A channel of which a PlanarCopy was
// offered is read from the copy instead.
class RawRecording final : public Recording {
public:
    explicit RawRecording(const std::string& sidecarPath);

    // A copy of `channels` (see PlanarCopy::Make), for PlanarCopy::Offer.
    std::shared_ptr<const PlanarCopy> CopyChannels(const std::vector<std::int32_t>& channels, unsigned threads) const;
    // What one channel takes in such a copy; 0 when the file holds one
    // channel and there is nothing to copy apart.
    std::uint64_t ChannelCopyBytes() const;

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
    std::span<const float> Lend(std::int32_t channel, std::int32_t block, std::int64_t tick,
                                std::size_t count) const override;
    void CheckLent() const override;

private:
    RawRecording(const std::string& sidecarPath, const std::string& text);
    bool HasChannel(std::int32_t channel) const;
    bool HasBlock(std::int32_t block) const;
    // Samples of the read that remain in the block (0 when none do).
    std::size_t Remaining(std::int32_t channel, std::int32_t block, std::int64_t tick, std::size_t count) const;
    // Byte offset of a channel's sample at a tick, and of one frame.
    std::uint64_t Offset(std::int32_t channel, std::int32_t block, std::int64_t tick) const;
    std::size_t FrameBytes() const;
    bool StoredAsRead(std::int32_t channel) const;
    // From the planar copy, a run at a time.
    void ReadCopied(std::int32_t channel, std::int32_t block, std::int64_t tick, std::size_t total, float* out) const;
    void ReadCopying(std::uint64_t first, std::size_t total, float* out, std::int32_t channel) const;
    // Converts `count` samples of one channel read from frames `stride`
    // bytes apart.
    void Convert(const std::byte* sample, std::size_t stride, std::size_t count, float* out, std::int32_t channel,
                 SampleSource source) const;

    std::string sidecarPath_;
    RawSidecar sidecar_;
    std::unique_ptr<RecordingFile> data_;
    std::unique_ptr<FileMapping> mapping_;
    std::shared_ptr<const PlanarCopy> planar_;
    LazyFingerprint fingerprint_;
};

} // namespace Desk
